#include "net/FutureDownloads/curl/CurlTransfer.h"

#include <algorithm>
#include <cctype>
#include <mutex>

#include "net/FutureDownloads/curl/CurlShare.h"

namespace FutureDownloads::detail {

namespace {

void GlobalInitOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// libcurl reads up to this much per write call; the curl tool uses the same size.
constexpr long kBufferSize = 100 * 1024;

}  // namespace

CurlTransfer::CurlTransfer(const TransferRequest& request) {
    GlobalInitOnce();
    handles_ = LendHandles();
    if (!handles_) return;
    easy_ = handles_->easy;
    curl_easy_reset(easy_);  // keeps the set's open connections and TLS sessions

    if (CURLSH* share = ProcessShare()) curl_easy_setopt(easy_, CURLOPT_SHARE, share);
    curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errorBuffer_);
    curl_easy_setopt(easy_, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, 20L);
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_REDIR_PROTOCOLS_STR, RedirectProtocols(request.url));
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT, static_cast<long>(request.connect.count()));
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME, static_cast<long>(request.stall.count()));
    curl_easy_setopt(easy_, CURLOPT_BUFFERSIZE, kBufferSize);
    if (!request.userAgent.empty()) curl_easy_setopt(easy_, CURLOPT_USERAGENT, request.userAgent.c_str());
}

CurlTransfer::~CurlTransfer() { GiveBackHandles(std::move(handles_)); }

CURLcode CurlTransfer::Run(const std::function<bool()>& stop) {
    if (!easy_) return CURLE_OUT_OF_MEMORY;
    CURLM* multi = handles_->multi;
    if (curl_multi_add_handle(multi, easy_) != CURLM_OK) return CURLE_FAILED_INIT;
    CURLcode result = CURLE_OK;
    bool finished = false;
    while (!finished) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        int queued = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi, &queued)) {
            if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy_) {
                result = msg->data.result;
                finished = true;
            }
        }
        if (finished) break;
        if (running == 0) {  // ended without a word: never seen, but must not spin
            result = CURLE_FAILED_INIT;
            break;
        }
        if (stop && stop()) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        curl_multi_poll(multi, nullptr, 0, 100, nullptr);
    }
    curl_multi_remove_handle(multi, easy_);
    return result;
}

std::string CurlTransfer::ErrorText(CURLcode code) const {
    return errorBuffer_[0] ? std::string(errorBuffer_) : std::string(curl_easy_strerror(code));
}

const char* RedirectProtocols(std::string_view url) {
    constexpr std::string_view kHttps = "https:";
    const bool secure = url.size() >= kHttps.size() &&
                        std::equal(kHttps.begin(), kHttps.end(), url.begin(), [](char a, char b) {
                            return a == std::tolower(static_cast<unsigned char>(b));
                        });
    return secure ? "https" : "http,https";
}

long ResponseStatus(CURL* easy) {
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

curl_off_t AnnouncedLength(CURL* easy) {
    curl_off_t length = -1;
    if (curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK) return -1;
    return length;
}

std::string HeaderText(CURL* easy, const char* name) {
    curl_header* header = nullptr;
    if (curl_easy_header(easy, name, 0, CURLH_HEADER, -1, &header) != CURLHE_OK || !header) return {};
    return header->value;
}

}  // namespace FutureDownloads::detail
