#pragma once
// A server directory served on 127.0.0.1 for trying a pack locally, one access line per request.
#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <ostream>

namespace httplib {
class Server;
}

namespace packwell::pack {

class PackServer {
public:
    // Throws PackError when dir is not a folder.
    PackServer(const std::filesystem::path& dir, std::ostream& log);
    ~PackServer();
    PackServer(const PackServer&) = delete;
    PackServer& operator=(const PackServer&) = delete;

    // Binds 127.0.0.1:port (0: a free port) and returns the port; throws PackError.
    int Bind(int port);
    // Answers requests until Stop; call after Bind.
    void Run();
    // From any thread, before or while Run runs; returns once Run has returned (or will
    // return at once). Not from a signal handler.
    void Stop();

private:
    std::unique_ptr<httplib::Server> server_;
    std::ostream& log_;
    std::mutex logMutex_;
    std::atomic<bool> stopRequested_{false}, started_{false}, ended_{false};
};

}  // namespace packwell::pack
