#include "tests/support/HttpServer.h"

#include <httplib.h>

#include <algorithm>
#include <stdexcept>

namespace packwell::test {

struct HttpServer::Route {
    enum class Kind { Body, Chunks, CutOff, Stall, Redirect, File } kind = Kind::Body;
    int status = 200;
    std::string body;                 // Body, CutOff, Stall: what is sent
    std::size_t announced = 0;        // CutOff, Stall: the length claimed
    std::vector<std::string> pieces;  // Chunks
    std::string target;               // Redirect
    std::string etag;                 // CutOff, File
    bool ranges = true;               // File
    std::chrono::milliseconds pace{};  // File
    // failFirst: requests still to fail, and how.
    std::shared_ptr<std::atomic<int>> failures = std::make_shared<std::atomic<int>>(0);
    Failure failure = Failure::CutOff;
};

namespace {

// A Range of the form "bytes=N-": N, or -1.
long long RangeFrom(const std::string& range) {
    if (!range.starts_with("bytes=") || !range.ends_with("-")) return -1;
    try {
        return std::stoll(range.substr(6, range.size() - 7));
    } catch (const std::exception&) {
        return -1;
    }
}

}  // namespace

HttpServer::HttpServer() : server_(std::make_unique<httplib::Server>()) {
    auto handler = [this](const httplib::Request& req, httplib::Response& res) {
        {
            std::lock_guard lock(mutex_);
            log_.push_back({req.method, req.path, req.get_header_value("User-Agent"), req.get_header_value("Range"),
                            req.get_header_value("If-Range")});
        }
        const std::shared_ptr<const Route> route = find(req.path);
        if (!route) {
            res.status = 404;
            res.set_content("not served by this test", "text/plain");
            return;
        }
        // The library would answer a Range on its own, If-Range unheeded; only serveFile does here.
        const_cast<httplib::Request&>(req).ranges.clear();
        if (route->failures->fetch_sub(1) > 0) {
            fail(*route, res);
            return;
        }
        res.status = route->status;
        if (!route->etag.empty()) res.set_header("ETag", route->etag);
        switch (route->kind) {
            case Route::Kind::Body:
                res.set_content(route->body, "application/octet-stream");
                break;
            case Route::Kind::Chunks:
                res.set_chunked_content_provider(
                    "application/octet-stream", [route](std::size_t offset, httplib::DataSink& sink) {
                        // `offset` counts what was sent: it says which piece comes next.
                        std::size_t sent = 0;
                        for (const std::string& piece : route->pieces) {
                            if (offset == sent && !piece.empty()) {
                                if (sent > 0) std::this_thread::sleep_for(std::chrono::milliseconds(30));
                                return sink.write(piece.data(), piece.size());
                            }
                            sent += piece.size();
                        }
                        sink.done();
                        return true;
                    });
                break;
            case Route::Kind::CutOff:
                res.set_content_provider(route->announced, "application/octet-stream",
                                         [route](std::size_t, std::size_t, httplib::DataSink& sink) {
                                             sink.write(route->body.data(), route->body.size());
                                             return false;  // closes the connection short of the length
                                         });
                break;
            case Route::Kind::Stall:
                res.set_content_provider(route->announced, "application/octet-stream",
                                         [route, this](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                             if (offset == 0 && !route->body.empty())
                                                 return sink.write(route->body.data(), route->body.size());
                                             for (int i = 0; i < 3000 && !stopping_; ++i)
                                                 std::this_thread::sleep_for(std::chrono::milliseconds(10));
                                             return false;
                                         });
                break;
            case Route::Kind::Redirect:
                res.set_redirect(route->target, route->status);
                break;
            case Route::Kind::File:
                serveRange(*route, req, res);
                break;
        }
    };
    server_->Get(".*", handler);
    // One request per connection: an idle kept-alive connection would hold up stop() for
    // the keep-alive time-out.
    server_->set_keep_alive_max_count(1);
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("cannot bind a port on 127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // stop() does nothing to a server not yet running, so the destructor would hang.
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

HttpServer::~HttpServer() {
    stopping_ = true;
    server_->stop();
    if (thread_.joinable()) thread_.join();
}

void HttpServer::serveRange(const Route& route, const httplib::Request& req, httplib::Response& res) const {
    const long long from = RangeFrom(req.get_header_value("Range"));
    const std::string ifRange = req.get_header_value("If-Range");
    const bool partial = route.ranges && from >= 0 && (ifRange.empty() || ifRange == route.etag);
    if (partial && static_cast<std::size_t>(from) >= route.body.size()) {
        res.status = 416;
        res.set_header("Content-Range", "bytes */" + std::to_string(route.body.size()));
        return;
    }
    const std::size_t start = partial ? static_cast<std::size_t>(from) : 0;
    if (partial) {
        res.status = 206;
        res.set_header("Content-Range", "bytes " + std::to_string(from) + "-" +
                                            std::to_string(route.body.size() - 1) + "/" +
                                            std::to_string(route.body.size()));
    }
    if (route.pace == std::chrono::milliseconds(0)) {
        res.set_content(route.body.substr(start), "application/octet-stream");
        return;
    }
    res.set_content_provider(route.body.size() - start, "application/octet-stream",
                             [this, body = route.body.substr(start), pace = route.pace](
                                 std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                 if (stopping_) return false;
                                 std::this_thread::sleep_for(pace);
                                 const std::size_t n = std::min<std::size_t>(64 * 1024, body.size() - offset);
                                 return sink.write(body.data() + offset, n);
                             });
}

void HttpServer::fail(const Route& route, httplib::Response& res) const {
    const std::size_t length = std::max<std::size_t>(route.body.size(), 2);
    switch (route.failure) {
        case Failure::CutOff:
            if (!route.etag.empty()) res.set_header("ETag", route.etag);
            res.set_content_provider(length, "application/octet-stream",
                                     [half = route.body.substr(0, length / 2)](std::size_t, std::size_t,
                                                                               httplib::DataSink& sink) {
                                         sink.write(half.data(), half.size());
                                         return false;
                                     });
            break;
        case Failure::Stall:
            res.set_content_provider(length, "application/octet-stream",
                                     [this](std::size_t, std::size_t, httplib::DataSink&) {
                                         for (int i = 0; i < 3000 && !stopping_; ++i)
                                             std::this_thread::sleep_for(std::chrono::milliseconds(10));
                                         return false;
                                     });
            break;
        case Failure::Unavailable:
            res.status = 503;
            res.set_content("busy", "text/plain");
            break;
        case Failure::TooMany:
            res.status = 429;
            res.set_header("Retry-After", "1");
            res.set_content("slow down", "text/plain");
            break;
    }
}

std::string HttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::shared_ptr<const HttpServer::Route> HttpServer::find(const std::string& path) const {
    std::lock_guard lock(mutex_);
    const auto it = routes_.find(path);
    return it == routes_.end() ? nullptr : it->second;
}

void HttpServer::add(const std::string& path, Route route) {
    std::lock_guard lock(mutex_);
    routes_[path] = std::make_shared<const Route>(std::move(route));
}

void HttpServer::serve(const std::string& path, std::string body, int status) {
    Route r;
    r.status = status;
    r.body = std::move(body);
    add(path, std::move(r));
}

void HttpServer::serveChunks(const std::string& path, std::vector<std::string> pieces) {
    Route r;
    r.kind = Route::Kind::Chunks;
    r.pieces = std::move(pieces);
    add(path, std::move(r));
}

void HttpServer::serveCutOff(const std::string& path, std::size_t announced, std::string body, std::string etag) {
    Route r;
    r.kind = Route::Kind::CutOff;
    r.body = std::move(body);
    r.announced = announced;
    r.etag = std::move(etag);
    add(path, std::move(r));
}

void HttpServer::serveFile(const std::string& path, std::string body, std::string etag, bool ranges,
                           std::chrono::milliseconds pace) {
    Route r;
    r.kind = Route::Kind::File;
    r.body = std::move(body);
    r.etag = std::move(etag);
    r.ranges = ranges;
    r.pace = pace;
    add(path, std::move(r));
}

void HttpServer::failFirst(const std::string& path, int count, Failure how) {
    std::lock_guard lock(mutex_);
    auto route = std::make_shared<Route>(*routes_.at(path));
    route->failures = std::make_shared<std::atomic<int>>(count);
    route->failure = how;
    routes_[path] = std::move(route);
}

void HttpServer::serveStall(const std::string& path, std::size_t announced, std::string head) {
    Route r;
    r.kind = Route::Kind::Stall;
    r.body = std::move(head);
    r.announced = announced;
    add(path, std::move(r));
}

void HttpServer::serveRedirect(const std::string& path, const std::string& target, int status) {
    Route r;
    r.kind = Route::Kind::Redirect;
    r.status = status;
    r.target = target;
    add(path, std::move(r));
}

std::vector<HttpServer::Request> HttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return log_;
}

std::size_t HttpServer::requestCount() const {
    std::lock_guard lock(mutex_);
    return log_.size();
}

}  // namespace packwell::test
