#include <string>

#include "net/FutureDownloads/HttpTransfer.h"
#include "net/FutureDownloads/curl/CurlTransfer.h"

namespace FutureDownloads::detail {
namespace {

bool Cancelled(const TransferRequest& request) {
    return request.cancel && request.cancel->load(std::memory_order_relaxed);
}

// Hands libcurl's blocks to the sink, opening it with the final response's headers.
struct Bridge {
    CURL* easy;
    const TransferRequest& request;
    TransferSink& sink;
    bool begun = false;
    bool refused = false;
    bool cancelled = false;
    long status = 0;
    std::int64_t announced = -1;
    std::int64_t delivered = 0;

    bool Begin() {
        if (begun) return true;
        begun = true;
        status = ResponseStatus(easy);
        announced = AnnouncedLength(easy);
        refused = !sink.Begin({.status = status,
                               .announced = announced,
                               .etag = HeaderText(easy, "ETag"),
                               .lastModified = HeaderText(easy, "Last-Modified"),
                               .contentRange = HeaderText(easy, "Content-Range")});
        return !refused;
    }

    // libcurl's write callback: returning less than `size` ends the transfer.
    static std::size_t Write(char* data, std::size_t, std::size_t size, void* self) {
        return static_cast<Bridge*>(self)->Take(data, size);
    }

    std::size_t Take(const char* data, std::size_t size) {
        if (Cancelled(request)) {
            cancelled = true;
            return 0;
        }
        if (!Begin()) return 0;
        if (!sink.Take(data, size)) {
            refused = true;
            return 0;
        }
        delivered += static_cast<std::int64_t>(size);
        return size;
    }
};

TransferResult Ended(TransferEnd end, const Bridge& bridge, std::string detail = {}) {
    return {end, bridge.begun ? bridge.status : ResponseStatus(bridge.easy), bridge.announced, std::move(detail),
            HeaderText(bridge.easy, "Retry-After")};
}

// Extra request headers, freed with the transfer.
struct CurlHeaderList {
    curl_slist* list = nullptr;
    ~CurlHeaderList() { curl_slist_free_all(list); }
    void Add(const std::string& line) {
        if (curl_slist* longer = curl_slist_append(list, line.c_str())) list = longer;
    }
};

}  // namespace

TransferResult RunTransfer(const TransferRequest& request, TransferSink& sink) {
    CurlTransfer transfer(request);
    CURL* easy = transfer.easy();
    if (!easy) return {TransferEnd::Transport, 0, -1, "out of memory"};
    Bridge bridge{easy, request, sink};
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Bridge::Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &bridge);
    const std::string range = std::to_string(request.from) + "-";
    CurlHeaderList headers;
    if (request.from > 0) {
        curl_easy_setopt(easy, CURLOPT_RANGE, range.c_str());
        headers.Add("If-Range: " + request.ifRange);
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers.list);
    }
    const CURLcode code = transfer.Run([&] {
        if (request.idle) request.idle();
        return Cancelled(request);
    });

    if (bridge.refused) return Ended(TransferEnd::Refused, bridge);
    if (bridge.cancelled || code == CURLE_ABORTED_BY_CALLBACK) return Ended(TransferEnd::Cancelled, bridge, "cancelled");
    if (code == CURLE_HTTP_RETURNED_ERROR) return Ended(TransferEnd::HttpStatus, bridge);
    if (code == CURLE_PARTIAL_FILE) return Ended(TransferEnd::Truncated, bridge, transfer.ErrorText(code));
    if (code != CURLE_OK) return Ended(TransferEnd::Transport, bridge, transfer.ErrorText(code));
    if (!bridge.Begin()) return Ended(TransferEnd::Refused, bridge);  // an empty body has no block
    if (bridge.announced >= 0 && bridge.delivered < bridge.announced)
        return Ended(TransferEnd::Truncated, bridge,
                     std::to_string(bridge.delivered) + " of " + std::to_string(bridge.announced) + " bytes arrived");
    return Ended(TransferEnd::Complete, bridge);
}

}  // namespace FutureDownloads::detail
