#include <limits>
#include <optional>

#include "Addons/Custom/AllInOne/Utf16Units.h"
#include "core/settings/IniEncoding.h"
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

// The integer range of a read: 32 bits as the profile functions convert, or 64 for sizes.
struct Width {
    unsigned bits;
    std::int64_t Min() const { return bits == 64 ? std::numeric_limits<std::int64_t>::min() : -(std::int64_t{1} << (bits - 1)); }
    std::int64_t Max() const { return bits == 64 ? std::numeric_limits<std::int64_t>::max() : (std::int64_t{1} << (bits - 1)) - 1; }
    std::uint64_t MaxUnsigned() const { return bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1; }
};

// Hexadecimal of at most width bits; the top bit gives a negative value, as "$FFFFFFFF" is -1
// in 32 bits.
std::optional<std::int64_t> ParseHex(std::string_view digits, Width width) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int d = HexDigit(c);
        if (d < 0 || value > (width.MaxUnsigned() >> 4)) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(d);
    }
    if (value > static_cast<std::uint64_t>(width.Max())) return static_cast<std::int64_t>(value - width.MaxUnsigned() - 1);
    return static_cast<std::int64_t>(value);
}

std::optional<std::int64_t> ParseDecimal(std::string_view text, Width width) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Magnitude up to the range's negative end, one past its positive one.
    const std::uint64_t limit = static_cast<std::uint64_t>(width.Max()) + 1;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (limit - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    if (!negative) {
        if (value > static_cast<std::uint64_t>(width.Max())) return std::nullopt;
        return static_cast<std::int64_t>(value);
    }
    return value == limit ? width.Min() : -static_cast<std::int64_t>(value);
}

std::optional<std::int64_t> ParseInteger(std::string_view text, Width width) {
    if (text.starts_with('$')) return ParseHex(text.substr(1), width);
    if (text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X"))) return ParseHex(text.substr(2), width);
    return ParseDecimal(text, width);
}

}  // namespace

IniData IniData::Parse(const std::string& bytes) {
    IniData data;
    const ini::DecodedFile file = ini::DecodeFile(bytes);
    std::string_view rest = file.text;
    ini::TakeBom(rest);
    // Keys before the first section header belong to the nameless section. Only the first
    // section of a name is read; a later one of the same name is passed over.
    auto* section = &data.sections_[""];
    while (!rest.empty()) {
        const ini::Parsed parsed = ini::ParseLine(ini::NextLine(rest).text);
        if (parsed.kind == ini::Parsed::Kind::Section) {
            const auto [it, first] = data.sections_.try_emplace(ini::FoldName(parsed.name));
            section = first ? &it->second : nullptr;
        } else if (parsed.kind == ini::Parsed::Kind::Entry && section) {
            section->emplace(ini::FoldName(parsed.name), std::string(parsed.value));  // first one wins
        }
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
    return static_cast<std::int32_t>(ParseInteger(text, Width{32}).value_or(Default));
}

std::int64_t IniData::ReadInt64(const std::string& Section, const std::string& Key, std::int64_t Default) const {
    return ParseInteger(ReadString(Section, Key, std::string()), Width{64}).value_or(Default);
}

bool IniData::ReadBool(const std::string& Section, const std::string& Key, bool Default) const {
    return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}

}  // namespace packwell
