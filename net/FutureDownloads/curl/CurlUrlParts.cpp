#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <memory>

#include "net/FutureDownloads/UrlParts.h"

namespace FutureDownloads {
namespace {

struct UrlDeleter {
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
};

std::optional<std::string> Part(CURLU* url, CURLUPart part) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, 0) != CURLUE_OK || !text) return std::nullopt;
    std::string value(text);
    curl_free(text);
    return value;
}

}  // namespace

std::optional<UrlParts> SplitUrl(const std::string& url) {
    const std::unique_ptr<CURLU, UrlDeleter> parsed(curl_url());
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) return std::nullopt;
    UrlParts parts;
    parts.scheme = Part(parsed.get(), CURLUPART_SCHEME).value_or("");
    std::transform(parts.scheme.begin(), parts.scheme.end(), parts.scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    parts.host = Part(parsed.get(), CURLUPART_HOST).value_or("");
    parts.path = Part(parsed.get(), CURLUPART_PATH).value_or("/");
    parts.query = Part(parsed.get(), CURLUPART_QUERY);
    parts.fragment = Part(parsed.get(), CURLUPART_FRAGMENT);
    return parts;
}

}  // namespace FutureDownloads
