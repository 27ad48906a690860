#include "tests/support/Nginx.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace packwell::test {
namespace {

const char* const kCandidates[] = {"/usr/sbin/nginx", "/usr/bin/nginx", "/usr/local/sbin/nginx",
                                   "/usr/local/bin/nginx"};

std::string NginxProgram() {
    for (const char* p : kCandidates)
        if (::access(p, X_OK) == 0) return p;
    return {};
}

sockaddr_in Loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// A port nobody listens on right now (the kernel's pick for a bound, closed socket).
int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) throw std::runtime_error("socket() failed");
    sockaddr_in a = Loopback(0);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(s);
    if (port == 0) throw std::runtime_error("no free port on 127.0.0.1");
    return port;
}

bool Answers(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return false;
    sockaddr_in a = Loopback(port);
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

bool Nginx::Available() { return !NginxProgram().empty(); }

Nginx::Nginx(const fs::path& root) {
    std::string pattern = (fs::temp_directory_path() / "packwell-nginx-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
    // Another program may take the chosen port before nginx binds it: try a few.
    for (int attempt = 0; attempt < 5; ++attempt)
        if (start(fs::absolute(root))) return;
    const std::string log = ReadAll(dir_ / "error.log");
    std::error_code ec;
    fs::remove_all(dir_, ec);
    throw std::runtime_error("nginx did not start: " + log);
}

Nginx::~Nginx() {
    stop();
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

std::string Nginx::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::string Nginx::accessLog() const { return ReadAll(dir_ / "access.log"); }

bool Nginx::start(const fs::path& root) {
    const std::string program = NginxProgram();
    if (program.empty()) throw std::runtime_error("nginx is not installed");
    port_ = FreePort();
    const std::string d = dir_.string();
    const fs::path conf = dir_ / "nginx.conf";
    {
        std::ofstream out(conf);
        out << "daemon off;\nmaster_process off;\nworker_processes 1;\n"
            << "pid " << d << "/nginx.pid;\nerror_log " << d << "/error.log warn;\n"
            << "events { worker_connections 256; }\n"
            << "http {\n"
            << "  log_format plain '$connection $request_method $uri $status';\n"
            << "  access_log " << d << "/access.log plain;\n  default_type application/octet-stream;\n"
            << "  sendfile on;\n  tcp_nopush on;\n  keepalive_requests 100000;\n"
            << "  client_body_temp_path " << d << "/body;\n  proxy_temp_path " << d << "/proxy;\n"
            << "  fastcgi_temp_path " << d << "/fastcgi;\n  uwsgi_temp_path " << d << "/uwsgi;\n"
            << "  scgi_temp_path " << d << "/scgi;\n"
            << "  server {\n    listen 127.0.0.1:" << port_ << ";\n    root \"" << root.string() << "\";\n"
            << "  }\n}\n";
    }
    std::vector<std::string> args = {program, "-e", d + "/error.log", "-p", d + "/", "-c", conf.string()};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (::posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + program);
    }
    for (int i = 0; i < 500; ++i) {
        if (Answers(port_)) return true;
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {  // ended: most likely the port was taken
            pid_ = -1;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    stop();
    return false;
}

void Nginx::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
}

}  // namespace packwell::test
