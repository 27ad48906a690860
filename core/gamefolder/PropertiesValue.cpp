#include "core/gamefolder/PropertiesValue.h"

#include <cstdint>
#include <optional>

#include "Addons/Custom/AllInOne/Utf8Codec.h"

namespace packwell {

using AllInOne::AppendUtf8;
using AllInOne::IsHighSurrogate;
using AllInOne::IsLowSurrogate;
using AllInOne::IsValidUtf8;

namespace {

// Four hex digits at value[pos..pos+3], or nothing.
std::optional<char16_t> HexUnit(std::string_view value, std::size_t pos) {
    if (pos + 4 > value.size()) return std::nullopt;
    unsigned unit = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        char c = value[pos + k];
        unit <<= 4;
        if (c >= '0' && c <= '9') unit |= static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f') unit |= static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') unit |= static_cast<unsigned>(c - 'A' + 10);
        else return std::nullopt;
    }
    return static_cast<char16_t>(unit);
}

}  // namespace

std::string PropertiesLineToUtf8(std::string_view line) {
    if (IsValidUtf8(line)) return std::string(line);
    std::string out;
    out.reserve(line.size() * 2);
    for (char c : line) AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::string UnescapePropertiesValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    std::size_t i = 0;
    while (i < value.size()) {
        char c = value[i];
        if (c != '\\') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 == value.size()) break;  // a trailing backslash escapes nothing
        char e = value[i + 1];
        switch (e) {
            case 't': out += '\t'; i += 2; continue;
            case 'n': out += '\n'; i += 2; continue;
            case 'r': out += '\r'; i += 2; continue;
            case 'f': out += '\f'; i += 2; continue;
            case 'u': break;
            default: out += e; i += 2; continue;
        }
        std::optional<char16_t> unit = HexUnit(value, i + 2);
        if (!unit) {  // not an escape the writer makes: keep the text as it stands
            out += "\\u";
            i += 2;
            continue;
        }
        i += 6;
        if (IsHighSurrogate(*unit)) {
            std::optional<char16_t> low;
            if (i + 1 < value.size() && value[i] == '\\' && value[i + 1] == 'u') low = HexUnit(value, i + 2);
            if (low && IsLowSurrogate(*low)) {
                AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(*unit) - 0xD800) << 10) + (*low - 0xDC00));
                i += 6;
            } else {
                AppendUtf8(out, AllInOne::kReplacementCharacter);
            }
        } else if (IsLowSurrogate(*unit)) {
            AppendUtf8(out, AllInOne::kReplacementCharacter);
        } else {
            AppendUtf8(out, *unit);
        }
    }
    return out;
}

}  // namespace packwell
