#include "core/cleanup/WhiteList.h"

#include <algorithm>

#include "core/manifest/ModFileName.h"

namespace packwell {

WhiteList::WhiteList(std::string_view value) {
    if (value.find(kTerminator) == std::string_view::npos) {
        if (!value.empty()) entries_.push_back({std::string(value), true});
        return;
    }
    while (!value.empty()) {
        const std::size_t end = std::min(value.find(kTerminator), value.size());
        const std::string_view piece = value.substr(0, end);
        if (piece.starts_with(kOldValueMark)) {
            if (piece.size() > 1) entries_.push_back({std::string(piece.substr(1)), true});
        } else if (!piece.empty()) {
            entries_.push_back({std::string(piece), false});
        }
        value.remove_prefix(std::min(end + 1, value.size()));
    }
}

std::string WhiteList::Value() const {
    std::string value;
    for (const Entry& e : entries_) {
        if (e.oldValue) value += kOldValueMark;
        value += e.text;
        value += kTerminator;
    }
    return value;
}

bool WhiteList::IsExactEntry(std::string_view name) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return !e.oldValue && e.text == name; });
}

bool WhiteList::Contains(std::string_view name) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.oldValue ? e.text.find(name) != std::string::npos : e.text == name;
    });
}

void WhiteList::Keep(std::string_view name) {
    if (name.empty() || !IsBareFileName(name) || IsExactEntry(name)) return;
    entries_.push_back({std::string(name), false});
    DropSettledOldValues();
}

void WhiteList::Release(std::string_view name) {
    if (name.empty()) return;
    for (Entry& e : entries_) {
        if (!e.oldValue) continue;
        // Delete the first occurrence until none is left, joins made by a cut included.
        for (std::size_t at; (at = e.text.find(name)) != std::string::npos;) e.text.erase(at, name.size());
    }
    std::erase_if(entries_, [&](const Entry& e) { return !e.oldValue && e.text == name; });
    DropSettledOldValues();
}

bool WhiteList::MadeOfExactEntries(std::string_view oldValue) const {
    // reachable[i]: the first i characters are a run of exact entries.
    std::vector<bool> reachable(oldValue.size() + 1, false);
    reachable[0] = true;
    for (std::size_t i = 0; i < oldValue.size(); ++i) {
        if (!reachable[i]) continue;
        for (const Entry& e : entries_)
            if (!e.oldValue && !e.text.empty() && oldValue.substr(i).starts_with(e.text)) reachable[i + e.text.size()] = true;
    }
    return reachable.back();
}

void WhiteList::DropSettledOldValues() {
    std::vector<Entry> kept;
    for (const Entry& e : entries_)
        if (!e.oldValue || !MadeOfExactEntries(e.text)) kept.push_back(e);
    entries_ = std::move(kept);
}

}  // namespace packwell
