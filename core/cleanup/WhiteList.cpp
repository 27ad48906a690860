#include "core/cleanup/WhiteList.h"

#include <algorithm>

namespace packwell {

bool WhiteList::Contains(std::string_view name) const {
    return value_.find(name) != std::string::npos;
}

std::vector<std::string_view> WhiteList::Entries() const {
    std::vector<std::string_view> entries;
    std::string_view rest = value_;
    while (true) {
        const auto cut = rest.find(kSeparator);
        entries.push_back(rest.substr(0, cut));
        if (cut == std::string_view::npos) break;
        rest.remove_prefix(cut + 1);
    }
    return entries;
}

void WhiteList::Keep(std::string_view name) {
    if (name.empty()) return;
    const auto entries = Entries();
    if (std::find(entries.begin(), entries.end(), name) != entries.end()) return;
    if (!value_.empty()) value_ += kSeparator;
    value_ += name;
}

void WhiteList::Release(std::string_view name) {
    std::string kept;
    for (std::string_view entry : Entries()) {
        if (entry == name || entry.empty()) continue;
        if (!kept.empty()) kept += kSeparator;
        kept += entry;
    }
    value_ = std::move(kept);
}

}  // namespace packwell
