#pragma once
// One GET on the calling thread, whatever library carries it (libcurl on Linux, WinINet on
// Windows): redirects followed, https never left for plain http, the body handed to a sink.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace FutureDownloads::detail {

struct TransferRequest {
    std::string url{};
    std::string userAgent{};  // empty: none is sent
    std::chrono::seconds connect{60};
    // Given up when no byte arrives for this long.
    std::chrono::seconds stall{60};
    // Set from another thread: the transfer ends at once, even in the middle of a blocked read.
    const std::atomic<bool>* cancel = nullptr;
    // Run on the calling thread between looks at the connection (about every 100 ms while
    // nothing arrives, and between blocks).
    std::function<void()> idle{};
};

// Where the final response goes. Begin is called once, before any block, for every final
// response whose status is below 400, and always before a transfer reports Complete (an empty
// body has no block). Returning false from either ends the transfer as Refused.
class TransferSink {
public:
    virtual ~TransferSink() = default;
    // The status and the announced length (-1 when none).
    virtual bool Begin(long status, std::int64_t announced) = 0;
    virtual bool Take(const char* data, std::size_t size) = 0;
};

enum class TransferEnd {
    Complete,    // the whole body was handed over
    Refused,     // the sink said no
    Cancelled,   // the cancel flag was set
    HttpStatus,  // the final status was 400 or more
    Truncated,   // fewer bytes than announced
    Transport,   // refused, unreachable, TLS, time-out, a redirect that may not be followed, ...
};

struct TransferResult {
    TransferEnd end = TransferEnd::Transport;
    long status = 0;             // of the final response; 0 when none arrived
    std::int64_t announced = -1;  // of the final response
    std::string detail;          // the library's own words when it failed
};

TransferResult RunTransfer(const TransferRequest& request, TransferSink& sink);

}  // namespace FutureDownloads::detail
