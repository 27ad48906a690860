#pragma once
// One libcurl transfer on the calling thread, with the settings every request shares.
#include <curl/curl.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "net/FutureDownloads/HttpTransfer.h"
#include "net/FutureDownloads/curl/CurlHandlePool.h"

namespace FutureDownloads::detail {

// Borrows a handle set of the process (CurlHandlePool.h) for one transfer, so files fetched
// one after another reuse a connection whichever thread fetches them. A transfer started
// while another runs on the same thread (a nested call from an event handler run between
// blocks) simply borrows another set.
class CurlTransfer {
public:
    // Takes the request's address, user agent and limits (the stall limit as less than one byte
    // per second for that long).
    explicit CurlTransfer(const TransferRequest& request);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    // Null only when libcurl could not allocate handles; options are set on it before Run.
    CURL* easy() const { return easy_; }

    // Runs the transfer to its end. `stop` is asked about every 100 ms and between blocks of
    // data; when it returns true the transfer is abandoned and CURLE_ABORTED_BY_CALLBACK returned.
    CURLcode Run(const std::function<bool()>& stop = {});

    // libcurl's own words for the last failure, empty when it gave none.
    std::string ErrorText(CURLcode code) const;

private:
    std::unique_ptr<CurlHandles> handles_;
    CURL* easy_ = nullptr;
    char errorBuffer_[CURL_ERROR_SIZE] = {};
};

// The schemes a redirect may lead to from `url`: once on https, never back to plain http (the
// Windows library refuses that too); from http, either.
const char* RedirectProtocols(std::string_view url);

// The HTTP status of the final response, 0 when none arrived.
long ResponseStatus(CURL* easy);
// The final response's announced length, -1 when none.
curl_off_t AnnouncedLength(CURL* easy);
// A header of the final response, empty when absent.
std::string HeaderText(CURL* easy, const char* name);

}  // namespace FutureDownloads::detail
