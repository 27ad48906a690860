#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cwctype>

#include "net/FutureDownloads/UrlParts.h"
#include "net/FutureDownloads/wininet/WideText.h"

namespace FutureDownloads {

std::optional<UrlParts> SplitUrl(const std::string& url) {
    const std::wstring wide = detail::Widen(url);
    URL_COMPONENTSW c{};
    c.dwStructSize = sizeof c;
    c.dwSchemeLength = c.dwHostNameLength = c.dwUrlPathLength = c.dwExtraInfoLength = 1;
    if (wide.empty() || !InternetCrackUrlW(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &c)) return std::nullopt;
    if (!c.lpszScheme || c.dwSchemeLength == 0) return std::nullopt;
    std::wstring scheme(c.lpszScheme, c.dwSchemeLength);
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](wchar_t ch) { return std::towlower(ch); });
    UrlParts parts;
    parts.scheme = detail::Narrow(scheme);
    if (c.lpszHostName) parts.host = detail::Narrow({c.lpszHostName, c.dwHostNameLength});
    if (parts.host.find(':') != std::string::npos && parts.host.front() != '[') parts.host = "[" + parts.host + "]";
    parts.path = c.lpszUrlPath && c.dwUrlPathLength ? detail::Narrow({c.lpszUrlPath, c.dwUrlPathLength}) : "/";
    // WinINet hands query and fragment over as one piece: "?query#fragment".
    const std::string extra = c.lpszExtraInfo ? detail::Narrow({c.lpszExtraInfo, c.dwExtraInfoLength}) : "";
    const std::size_t hash = extra.find('#');
    const std::string beforeHash = extra.substr(0, hash);
    if (!beforeHash.empty() && beforeHash.front() == '?') parts.query = beforeHash.substr(1);
    if (hash != std::string::npos) parts.fragment = extra.substr(hash + 1);
    return parts;
}

}  // namespace FutureDownloads
