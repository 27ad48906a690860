#pragma once
// An address taken apart by the system's own URL parser (libcurl's on Linux, WinINet's on
// Windows), for code that must judge an address before any request is sent.
#include <optional>
#include <string>

namespace FutureDownloads {

struct UrlParts {
    std::string scheme;  // in lower case
    std::string host;    // an IPv6 address in brackets, as in the address
    std::string path;    // "/" when the address has none
    std::optional<std::string> query;     // without "?"; none when the address has no "?"
    std::optional<std::string> fragment;  // without "#"
};

// Nothing when the parser does not take the text as an absolute URL with a scheme.
std::optional<UrlParts> SplitUrl(const std::string& url);

}  // namespace FutureDownloads
