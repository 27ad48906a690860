#include "net/FutureDownloads/FutureDownloads.h"
#include "net/FutureDownloads/HttpTransfer.h"

namespace FutureDownloads {
namespace {

// Ends the transfer once the headers are in, before any byte of the body is taken.
struct HeadersOnly : detail::TransferSink {
    long status = 0;
    std::int64_t announced = -1;
    bool Begin(const detail::ResponseHead& head) override {
        status = head.status;
        announced = head.announced;
        return false;
    }
    bool Take(const char*, std::size_t) override { return false; }
};

}  // namespace

std::int64_t RemoteFileSize(const std::string& Url) {
    // A GET rather than a HEAD: some servers refuse or answer HEAD differently.
    HeadersOnly headers;
    const detail::TransferResult result = detail::RunTransfer({.url = Url}, headers);
    if (result.end != detail::TransferEnd::Refused) return -1;
    // The length of a redirect page is not the file's.
    if (headers.status < 200 || headers.status > 299) return -1;
    return headers.announced;
}

}  // namespace FutureDownloads
