#include "tests/support/Nginx.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tests/support/NginxProcess.h"
#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;

namespace packwell::test {
namespace {

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

bool Nginx::Available() { return !NginxProgram().empty(); }

Nginx::Nginx(const fs::path& root, const std::string& connectionRate) {
    dir_ = MakeTempFolder("packwell-nginx-");
    // Another program may take the chosen port before nginx binds it: try a few.
    for (int attempt = 0; attempt < 5; ++attempt)
        if (start(fs::absolute(root), connectionRate)) return;
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

bool Nginx::start(const fs::path& root, const std::string& connectionRate) {
    const std::string program = NginxProgram();
    if (program.empty()) throw std::runtime_error("nginx is not installed");
    port_ = FreeLoopbackPort();
    // nginx reads the system's own paths (under Wine: the Unix ones).
    const std::string d = NginxPath(dir_);
    const fs::path conf = dir_ / "nginx.conf";
    {
        std::ofstream out(conf);
        out << "daemon off;\nmaster_process off;\nworker_processes 1;\n"
            << "pid " << d << "/nginx.pid;\nerror_log " << d << "/error.log warn;\n"
            << "events { worker_connections 256; }\n"
            << "http {\n"
            << "  log_format plain '$connection $request_method $uri $status $body_bytes_sent';\n"
            << "  access_log " << d << "/access.log plain;\n  default_type application/octet-stream;\n"
            << "  sendfile on;\n  tcp_nopush on;\n  keepalive_requests 100000;\n"
            << "  client_body_temp_path " << d << "/body;\n  proxy_temp_path " << d << "/proxy;\n"
            << "  fastcgi_temp_path " << d << "/fastcgi;\n  uwsgi_temp_path " << d << "/uwsgi;\n"
            << "  scgi_temp_path " << d << "/scgi;\n"
            << (connectionRate.empty() ? "" : "  limit_rate " + connectionRate + ";\n")
            << "  server {\n    listen 127.0.0.1:" << port_ << ";\n    root \"" << NginxPath(root) << "\";\n"
            << "  }\n}\n";
    }
    pid_ = StartNginx(program, {"-e", d + "/error.log", "-p", d + "/", "-c", NginxPath(conf)});
    for (int i = 0; i < 500; ++i) {
        if (LoopbackPortAnswers(port_)) return true;
        if (NginxEnded(pid_)) {  // ended: most likely the port was taken
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
    StopNginx(pid_, port_, dir_ / "nginx.pid");
    pid_ = -1;
}

}  // namespace packwell::test
