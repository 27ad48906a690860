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
struct Request;
struct Response;
}

namespace packwell::test {

class HttpServer {
public:
    struct Request {
        std::string method;
        std::string path;  // as decoded by the server
        std::string userAgent;
        std::string range;    // the Range header, empty when none
        std::string ifRange;  // the If-Range header
    };

    // How the first requests of a path fail before it is served as asked.
    enum class Failure {
        CutOff,       // the headers (the ETag too), half the body, then the connection closes
        Stall,        // the headers, then nothing
        Unavailable,  // 503
        TooMany,      // 429 with "Retry-After: 1"
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
    // Announces `announced` bytes, sends `body` (fewer) and closes the connection; names the
    // file `etag` when given.
    void serveCutOff(const std::string& path, std::size_t announced, std::string body, std::string etag = {});
    // A file as a web server serves it: its ETag, and a Range honoured while If-Range (when
    // sent) names that ETag, 416 past its end. Without `ranges` a Range is ignored (200). With a
    // `pace`, the body goes out in 64 KiB pieces that long apart.
    void serveFile(const std::string& path, std::string body, std::string etag, bool ranges = true,
                   std::chrono::milliseconds pace = {});
    // The next `count` requests of an already served path fail as `how`.
    void failFirst(const std::string& path, int count, Failure how);
    // Announces `announced` bytes, sends `head`, then sends nothing until the server stops.
    void serveStall(const std::string& path, std::size_t announced, std::string head);
    void serveRedirect(const std::string& path, const std::string& target, int status = 302);

    std::vector<Request> requests() const;
    std::size_t requestCount() const;

private:
    struct Route;
    std::shared_ptr<const Route> find(const std::string& path) const;
    void add(const std::string& path, Route route);
    void serveRange(const Route& route, const httplib::Request& req, httplib::Response& res) const;
    void fail(const Route& route, httplib::Response& res) const;

    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::map<std::string, std::shared_ptr<const Route>> routes_;
    std::vector<Request> log_;
};

}  // namespace packwell::test
