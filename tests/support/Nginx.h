#pragma once
// A real nginx serving one folder on 127.0.0.1 and a free port, for as long as the object
// lives. Its configuration, pid file, logs and temporary folders stay in a folder of its own.
// Independent of GoogleTest so the benchmarks use it too.
#include <filesystem>
#include <string>

namespace packwell::test {

class Nginx {
public:
    // Whether an nginx program is installed (tests skip without it).
    static bool Available();

    // Starts nginx serving `root` and waits until it answers; throws std::runtime_error
    // (with nginx's error log) when it does not come up. `connectionRate`, in nginx's own
    // notation ("25m": 25 MB/s), holds each connection to a line's speed; empty: no limit.
    explicit Nginx(const std::filesystem::path& root, const std::string& connectionRate = {});
    ~Nginx();
    Nginx(const Nginx&) = delete;
    Nginx& operator=(const Nginx&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:<port>" + path.
    std::string url(const std::string& path) const;
    // One line per answered request: "<connection number> <method> <path> <status> <body bytes sent>".
    std::string accessLog() const;

private:
    bool start(const std::filesystem::path& root, const std::string& connectionRate);
    void stop();

    std::filesystem::path dir_;
    int port_ = 0;
    long long pid_ = -1;
};

}  // namespace packwell::test
