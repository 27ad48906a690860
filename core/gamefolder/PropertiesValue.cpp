#include "core/gamefolder/PropertiesValue.h"

#include <cstdint>
#include <optional>

namespace packwell {

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra;
        char32_t cp;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; }
        else return false;
        if (i + extra >= s.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += extra + 1;
    }
    return true;
}

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

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

constexpr char32_t kReplacement = 0xFFFD;

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
                AppendUtf8(out, kReplacement);
            }
        } else if (IsLowSurrogate(*unit)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, *unit);
        }
    }
    return out;
}

}  // namespace packwell
