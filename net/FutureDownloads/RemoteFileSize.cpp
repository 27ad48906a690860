#include "net/FutureDownloads/CurlTransfer.h"
#include "net/FutureDownloads/FutureDownloads.h"

namespace FutureDownloads {
namespace {

// Ends the transfer at the first byte of the body: by then the headers are all in.
std::size_t StopAtBody(char*, std::size_t, std::size_t, void*) { return 0; }

}  // namespace

std::int64_t RemoteFileSize(const std::string& Url) {
    // A GET rather than a HEAD: some servers refuse or answer HEAD differently.
    detail::CurlTransfer transfer(Url, /*userAgent=*/"", {});
    CURL* easy = transfer.easy();
    if (!easy) return -1;
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &StopAtBody);
    const CURLcode code = transfer.Run();
    if (code != CURLE_OK && code != CURLE_WRITE_ERROR) return -1;
    // The length of an error or redirect page is not the file's.
    const long status = detail::ResponseStatus(easy);
    if (status < 200 || status > 299) return -1;
    return detail::AnnouncedLength(easy);
}

}  // namespace FutureDownloads
