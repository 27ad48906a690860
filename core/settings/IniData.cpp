#include <limits>
#include <optional>

#include "Addons/Custom/AllInOne/Utf16Units.h"
#include "core/settings/IniFile.h"
#include "core/settings/IniSyntax.h"

namespace packwell {
namespace {

// A text value comes back through a buffer of 2048 UTF-16 units, terminator included.
constexpr std::size_t kMaxValueUnits = 2047;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Hexadecimal of at most 32 bits; the top bit gives a negative value, as "$FFFFFFFF" is -1.
std::optional<std::int32_t> ParseHex(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    if (text.starts_with('$')) return ParseHex(text.substr(1));
    if (text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X"))) return ParseHex(text.substr(2));
    return ParseDecimal(text);
}

}  // namespace

IniData IniData::Parse(const std::string& text) {
    IniData data;
    std::string_view rest = text;
    ini::TakeBom(rest);
    // Keys before the first section header belong to the nameless section.
    auto* section = &data.sections_[""];
    while (!rest.empty()) {
        const ini::Parsed parsed = ini::ParseLine(ini::NextLine(rest).text);
        if (parsed.kind == ini::Parsed::Kind::Section)
            section = &data.sections_[ini::FoldName(parsed.name)];
        else if (parsed.kind == ini::Parsed::Kind::Entry)
            section->emplace(ini::FoldName(parsed.name), std::string(parsed.value));  // first one wins
    }
    return data;
}

std::string IniData::ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const {
    const auto section = sections_.find(ini::FoldName(Section));
    if (section == sections_.end()) return Default;
    const auto entry = section->second.find(ini::FoldName(Key));
    if (entry == section->second.end()) return Default;
    return std::string(AllInOne::Utf16Prefix(entry->second, kMaxValueUnits));
}

std::int32_t IniData::ReadInteger(const std::string& Section, const std::string& Key, std::int32_t Default) const {
    // A present key whose text does not convert gives the default, as a missing one does.
    const std::string text = ReadString(Section, Key, std::string());
    return ParseInteger(text).value_or(Default);
}

bool IniData::ReadBool(const std::string& Section, const std::string& Key, bool Default) const {
    return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}

}  // namespace packwell
