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
    // Above 0: only the bytes from here on are asked for ("Range"), and only while the file is
    // still the one `ifRange` names (its ETag or Last-Modified); otherwise the whole comes.
    std::int64_t from = 0;
    std::string ifRange{};
};

// The final response's status line and the headers a download decides by.
struct ResponseHead {
    long status = 0;
    std::int64_t announced = -1;  // Content-Length, -1 when none
    std::string etag;             // as sent, quotes included
    std::string lastModified;
    std::string contentRange;     // "bytes a-b/n"
};

// Where the final response goes. Begin is called once, before any block, for every final
// response whose status is below 400, and always before a transfer reports Complete (an empty
// body has no block). Returning false from either ends the transfer as Refused.
class TransferSink {
public:
    virtual ~TransferSink() = default;
    virtual bool Begin(const ResponseHead& head) = 0;
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
    std::string retryAfter{};    // the final response's Retry-After, as sent
};

TransferResult RunTransfer(const TransferRequest& request, TransferSink& sink);

}  // namespace FutureDownloads::detail
