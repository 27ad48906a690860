#include "tools/packwell-pack/PackServer.h"

#include <httplib.h>
#ifndef _WIN32
#include <sys/socket.h>
#endif

#include <chrono>
#include <thread>

#include "core/Utf8Path.h"
#include "tools/packwell-pack/PackLayout.h"
#include "tools/packwell-pack/PackError.h"

namespace packwell::pack {

// Only this machine: a pack under test may hold files not meant for the world yet.
static constexpr const char* kLoopback = "127.0.0.1";

PackServer::PackServer(const std::filesystem::path& dir, std::ostream& log)
    : server_(std::make_unique<httplib::Server>()), log_(log) {
    std::error_code ec;
    // The library opens files by narrow name, which Windows reads in the ANSI code page.
    if (!std::filesystem::is_directory(dir, ec) || !server_->set_mount_point("/", dir.string()))
        throw PackError(Utf8FromPath(dir) + " is not a folder");
    // A port another server listens on is refused. POSIX: SO_REUSEADDR only, so a quick restart
    // finds its port free (the library's default, SO_REUSEPORT, would share it and answer in
    // turns). Windows: SO_REUSEADDR there would take the port over, so the exclusive option.
    server_->set_socket_options([](socket_t sock) {
#ifdef _WIN32
        BOOL yes = TRUE;
        setsockopt(sock, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes), sizeof(yes));
#else
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
#endif
    });
    server_->set_logger([this](const httplib::Request& req, const httplib::Response& res) {
        std::string line = req.remote_addr + " \"" + req.method + " " + Shown(req.path) + "\" " + std::to_string(res.status);
        if (res.has_header("Content-Length")) line += " " + res.get_header_value("Content-Length");
        std::lock_guard lock(logMutex_);
        log_ << line << std::endl;
    });
}

PackServer::~PackServer() = default;

int PackServer::Bind(int port) {
    const int bound = port == 0 ? server_->bind_to_any_port(kLoopback) : (server_->bind_to_port(kLoopback, port) ? port : -1);
    if (bound <= 0) throw PackError("cannot listen on " + std::string(kLoopback) + ":" + std::to_string(port) +
                                     (port == 0 ? "" : ": the port is in use or not allowed"));
    return bound;
}

void PackServer::Run() {
    started_ = true;
    if (!stopRequested_) server_->listen_after_bind();
    ended_ = true;
}

void PackServer::Stop() {
    stopRequested_ = true;
    // The server ignores a stop before its loop runs, so ask until Run has returned.
    while (started_ && !ended_) {
        if (server_->is_running()) server_->stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace packwell::pack
