#include "Addons/Custom/AllInOne/Utf8Codec.h"

namespace AllInOne {

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

std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& pos) {
    if (pos >= text.size()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t extra;
    char32_t cp;
    if (lead < 0x80) { ++pos; return lead; }
    if (lead >= 0xC2 && lead <= 0xDF) { extra = 1; cp = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF) { extra = 2; cp = lead & 0x0F; }
    else if (lead >= 0xF0 && lead <= 0xF4) { extra = 3; cp = lead & 0x07; }
    else return std::nullopt;
    if (pos + extra >= text.size()) return std::nullopt;
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[pos + k]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (extra == 2 && (cp < 0x800 || IsHighSurrogate(cp) || IsLowSurrogate(cp))) return std::nullopt;
    if (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) return std::nullopt;
    pos += extra + 1;
    return cp;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size())
        if (!NextUtf8(text, pos)) return false;
    return true;
}

}  // namespace AllInOne
