#include <string_view>

#include "net/FutureDownloads/FutureDownloads.h"

namespace FutureDownloads {
namespace {

// Bytes that stand for themselves in a path segment: RFC 3986 unreserved characters and the
// sub-delimiters servers and CDNs take literally. "+" is encoded: some stores read it as a space.
bool Literal(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    constexpr std::string_view kSafe = "-._~!$&'()*,;=:@";
    return kSafe.find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

std::string ServerUrl(const std::string& BaseUrl, const std::string& Path, const std::string& Name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = BaseUrl + Path;
    url.reserve(url.size() + Name.size() * 3);
    for (const char ch : Name) {
        const auto c = static_cast<unsigned char>(ch);
        if (Literal(c)) {
            url += ch;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}

}  // namespace FutureDownloads
