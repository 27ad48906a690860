// The manifest reader against a reference reader written here from the rules: sections and
// keys without regard to A-Z case, the first entry of a key wins, values trimmed and cut at
// 2047 UTF-16 units, "Count", mod<i> and mod<i>size, integers in decimal, "$" hex or "0x" hex.
//
// The text is first made unambiguous, so the comparison holds under every finer rule of the
// INI reader (quotes around a value, a lone CR, a NUL, other encodings, a repeated section):
// well-formed UTF-8 without control characters, lone CRs as line ends, quote pairs around a
// value broken, a repeated section header commented out, a "[" line other than "[name]" made
// no header.
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/manifest/Manifest.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using packwell::IniData;
using packwell::kMaxManifestEntries;

constexpr std::size_t kMaxValueUnits = 2047;

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string FoldAz(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Lines without their ends; a CR before LF belongs to the end.
std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t lf = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        text.remove_prefix(std::min(lf + 1, text.size()));
    }
    return lines;
}

std::string Unambiguous(std::string_view raw) {
    std::string text;
    for (std::size_t at = 0; at < raw.size();) {
        const std::size_t from = at;
        const long cp = fuzz::NextCodePoint(raw, at);
        const bool control = cp < 0x20 && cp != '\t' && cp != '\n' && cp != '\r';
        if (cp < 0 || control || cp == 0x7f) text += '?';
        else if (cp == '\r' && (at == raw.size() || raw[at] != '\n')) text += '\n';
        else text.append(raw.substr(from, at - from));
    }
    // A byte-order mark is no part of the first line.
    std::string out = text.starts_with("\xEF\xBB\xBF") ? "\xEF\xBB\xBF" : "";
    std::vector<std::string> seen;
    for (std::string line : Lines(std::string_view(text).substr(out.size()))) {
        const std::string_view t = TrimBlanks(line);
        // Only a plain "[name]" opens a section: readers differ on lines with one "]" too
        // few, one too many or text after it.
        if (t.starts_with('[') && (t.find(']') == std::string_view::npos || t.find(']') != t.size() - 1)) {
            line.insert(0, "x");
        } else if (t.starts_with('[')) {
            const std::string name = FoldAz(TrimBlanks(t.substr(1, t.rfind(']') - 1)));
            if (std::find(seen.begin(), seen.end(), name) != seen.end()) line.insert(0, ";");
            seen.push_back(name);
        } else if (const std::size_t eq = t.find('='); eq != std::string_view::npos && !t.starts_with(';')) {
            const std::string_view value = TrimBlanks(t.substr(eq + 1));
            if (!value.empty() && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
                line += 'x';
        }
        out += line + "\r\n";
    }
    return out;
}

// The reference reader: every (section, key) the text sets, first entry kept.
class Reference {
public:
    explicit Reference(std::string_view text) {
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        std::string section;
        for (const std::string& line : Lines(text)) {
            const std::string_view t = TrimBlanks(line);
            if (t.empty() || t.starts_with(';')) continue;
            if (t.starts_with('[') && t.find(']') != std::string_view::npos) {
                section = FoldAz(TrimBlanks(t.substr(1, t.rfind(']') - 1)));
                continue;
            }
            const std::size_t eq = t.find('=');
            if (eq == std::string_view::npos) continue;
            values_.emplace(std::pair(section, FoldAz(TrimBlanks(t.substr(0, eq)))), TrimBlanks(t.substr(eq + 1)));
        }
    }

    std::optional<std::string> Text(const std::string& section, const std::string& key) const {
        const auto it = values_.find({FoldAz(section), FoldAz(key)});
        if (it == values_.end()) return std::nullopt;
        return std::string(fuzz::Utf16Cut(it->second, kMaxValueUnits));
    }

    // The number as 32-bit readers and 64-bit ones both read it; nothing where they may
    // differ (past 31 bits). A text that is no number reads as `fallback`.
    std::optional<std::int64_t> Number(const std::string& section, const std::string& key, std::int64_t fallback) const {
        const std::string text = Text(section, key).value_or("");
        std::string_view digits = text;
        int base = 10;
        bool negative = false;
        if (digits.starts_with('$')) {
            base = 16, digits.remove_prefix(1);
        } else if (digits.size() > 2 && (digits.starts_with("0x") || digits.starts_with("0X"))) {
            base = 16, digits.remove_prefix(2);
        } else if (digits.starts_with('+') || digits.starts_with('-')) {
            negative = digits.front() == '-', digits.remove_prefix(1);
        }
        if (digits.empty()) return fallback;
        std::int64_t value = 0;
        bool large = false;
        for (const char c : digits) {
            const int d = c >= '0' && c <= '9' ? c - '0'
                        : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (d < 0) return fallback;
            if (!large) value = value * base + d;
            large = large || value > 0x7FFFFFFF;
        }
        if (large) return std::nullopt;
        return negative ? -value : value;
    }

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

template <typename Entry, typename Compare>
void CompareList(const packwell::ManifestList<Entry>& list, const Reference& ref, const std::string& section,
                 const std::string& text, Compare compareEntry) {
    const std::optional<std::int64_t> count = ref.Number(section, "Count", 0);
    if (!count) return;  // a count past 31 bits: the readers may differ, and so may the lists
    const auto where = [&] { return section + " of " + fuzz::Shown(text); };
    fuzz::Require(list.statedCount == *count, "\"Count\" reads as the rules say", where);
    const std::int64_t n = std::clamp<std::int64_t>(*count, 0, kMaxManifestEntries);
    fuzz::Require(list.entries.size() == static_cast<std::size_t>(n), "one entry per number up to \"Count\"", where);
    for (std::int64_t i = 1; i <= n; ++i)
        compareEntry(list.entries[static_cast<std::size_t>(i - 1)], "mod" + std::to_string(i), [&] { return where(); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);

    // Any bytes at all: the lists keep to "Count" and to the limit, names to 2047 units.
    const packwell::Manifest any = packwell::ReadManifest(IniData::Parse(std::string(raw)));
    fuzz::Require(any.modList.entries.size() <= static_cast<std::size_t>(kMaxManifestEntries) &&
                      any.delList.entries.size() <= static_cast<std::size_t>(kMaxManifestEntries),
                  "no list is longer than the limit", [&] { return fuzz::Shown(raw); });
    for (const auto& e : any.modList.entries)
        if (fuzz::IsValidUtf8(e.name)) fuzz::Require(fuzz::Utf16Units(e.name) <= kMaxValueUnits, "a name is at most 2047 units");

    const std::string text = Unambiguous(raw);
    const Reference ref(text);
    const packwell::Manifest m = packwell::ReadManifest(IniData::Parse(text));
    CompareList(m.modList, ref, "modlist", text, [&](const packwell::ManifestEntry& e, const std::string& key, const auto& where) {
        fuzz::Require(e.name == ref.Text("modlist", key).value_or(""), "a mod's name is the reference's", [&] { return key + " in " + where(); });
        if (const auto size = ref.Number("modlist", key + "size", 0))
            fuzz::Require(e.size == *size, "a mod's size is the reference's", [&] { return key + "size in " + where(); });
    });
    CompareList(m.delList, ref, "dellist", text, [&](const std::string& name, const std::string& key, const auto& where) {
        fuzz::Require(name == ref.Text("dellist", key).value_or(""), "a deletion's name is the reference's", [&] { return key + " in " + where(); });
    });
    fuzz::Require(packwell::ReadLastVersion(IniData::Parse(text), "1.2.6.3") == ref.Text("Update", "lastversion").value_or("1.2.6.3"),
                  "\"lastversion\" is the reference's", [&] { return fuzz::Shown(text); });
    return 0;
}
