#pragma once
// An HTTP server inside the test process, on 127.0.0.1 and a free port, that answers each
// path the way a test asks: a plain body, an error status, no length, a cut-off body, a stall
// or a redirect. It logs every request it receives.
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace packwell::test {

class HttpServer {
public:
    struct Request {
        std::string method;
        std::string path;  // as decoded by the server
        std::string userAgent;
    };

    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:<port>" + path.
    std::string url(const std::string& path) const;

    // The body with its length announced.
    void serve(const std::string& path, std::string body, int status = 200);
    // The pieces as chunks (no Content-Length), a short pause between them so they arrive
    // as separate reads.
    void serveChunks(const std::string& path, std::vector<std::string> pieces);
    // Announces `announced` bytes, sends `body` (fewer) and closes the connection.
    void serveCutOff(const std::string& path, std::size_t announced, std::string body);
    // Announces `announced` bytes, sends `head`, then sends nothing until the server stops.
    void serveStall(const std::string& path, std::size_t announced, std::string head);
    void serveRedirect(const std::string& path, const std::string& target, int status = 302);

    std::vector<Request> requests() const;
    std::size_t requestCount() const;

private:
    struct Route;
    std::shared_ptr<const Route> find(const std::string& path) const;
    void add(const std::string& path, Route route);

    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::map<std::string, std::shared_ptr<const Route>> routes_;
    std::vector<Request> log_;
};

}  // namespace packwell::test
