#include "tools/packwell-sync/ServerAddress.h"

#include "net/FutureDownloads/UrlParts.h"

namespace packwell::cli {

std::optional<std::string> NormaliseServerAddress(const std::string& text) {
    const auto url = FutureDownloads::SplitUrl(text);
    if (!url || (url->scheme != "http" && url->scheme != "https") || url->host.empty()) return std::nullopt;
    if (url->query || url->fragment) return std::nullopt;
    std::string address = text;
    while (!address.empty() && address.back() == '/') address.pop_back();
    return address;
}

bool IsLoopbackServer(const std::string& address) {
    const auto url = FutureDownloads::SplitUrl(address);
    if (!url) return false;
    const std::string& host = url->host;
    return host == "localhost" || host.rfind("127.", 0) == 0 || host == "[::1]";
}

}  // namespace packwell::cli
