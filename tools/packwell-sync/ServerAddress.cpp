#include "tools/packwell-sync/ServerAddress.h"

#include <curl/curl.h>

#include <memory>

namespace packwell::cli {
namespace {

struct UrlDeleter {
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
};
using Url = std::unique_ptr<CURLU, UrlDeleter>;

std::optional<std::string> Part(CURLU* url, CURLUPart part) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, 0) != CURLUE_OK || !text) return std::nullopt;
    std::string value(text);
    curl_free(text);
    return value;
}

Url Parse(const std::string& text) {
    Url url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_URL, text.c_str(), 0) != CURLUE_OK) return nullptr;
    return url;
}

}  // namespace

std::optional<std::string> NormaliseServerAddress(const std::string& text) {
    const Url url = Parse(text);
    if (!url) return std::nullopt;
    const auto scheme = Part(url.get(), CURLUPART_SCHEME);
    const auto host = Part(url.get(), CURLUPART_HOST);
    if (!scheme || (*scheme != "http" && *scheme != "https") || !host || host->empty()) return std::nullopt;
    if (Part(url.get(), CURLUPART_QUERY) || Part(url.get(), CURLUPART_FRAGMENT)) return std::nullopt;
    std::string address = text;
    while (!address.empty() && address.back() == '/') address.pop_back();
    return address;
}

bool IsLoopbackServer(const std::string& address) {
    const Url url = Parse(address);
    if (!url) return false;
    const auto host = Part(url.get(), CURLUPART_HOST);
    if (!host) return false;
    return *host == "localhost" || host->rfind("127.", 0) == 0 || *host == "[::1]";
}

}  // namespace packwell::cli
