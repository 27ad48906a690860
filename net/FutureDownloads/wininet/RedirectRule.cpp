#include "net/FutureDownloads/wininet/RedirectRule.h"

#include "net/FutureDownloads/UrlParts.h"

namespace FutureDownloads::detail {

bool RedirectAllowed(const std::string& from, const std::string& to) {
    const auto source = SplitUrl(from);
    const auto target = SplitUrl(to);
    if (!source || !target) return false;
    if (target->scheme == "https") return true;
    return target->scheme == "http" && source->scheme == "http";
}

}  // namespace FutureDownloads::detail
