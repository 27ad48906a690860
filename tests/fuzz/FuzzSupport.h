#pragma once
// What the fuzz programs share: stopping with a readable reason (libFuzzer then keeps the
// input), and UTF-8 counted the plain way, for comparing with what the parsers return.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

// Bytes as a C string literal would show them, so a finding can be read and pasted into a test.
inline std::string Shown(std::string_view bytes) {
    std::string out = "\"";
    for (const unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

// Stops the run on a broken property; libFuzzer reports it as a crash and saves the input.
// The details are built only then: showing the input on every run would cost most of the time.
template <typename Details>
void Require(bool holds, std::string_view property, Details&& details) {
    if (holds) return;
    const std::string text = details();
    std::fprintf(stderr, "\nPROPERTY BROKEN: %.*s\n%s\n", static_cast<int>(property.size()), property.data(), text.c_str());
    std::abort();
}

inline void Require(bool holds, std::string_view property) {
    Require(holds, property, [] { return std::string(); });
}

// Code points of well-formed UTF-8, one per call; -1 for a byte that starts no well-formed
// character (overlong forms, surrogates and values past U+10FFFF are not well formed).
inline long NextCodePoint(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at++);
    if (lead < 0x80) return lead;
    std::size_t extra;
    long cp, min;
    if (lead >= 0xC0 && lead < 0xE0) extra = 1, cp = lead & 0x1F, min = 0x80;
    else if (lead >= 0xE0 && lead < 0xF0) extra = 2, cp = lead & 0x0F, min = 0x800;
    else if (lead >= 0xF0 && lead < 0xF8) extra = 3, cp = lead & 0x07, min = 0x10000;
    else return -1;
    if (at + extra > text.size()) return -1;
    for (std::size_t k = 0; k < extra; ++k) {
        if ((byte(at + k) & 0xC0) != 0x80) return -1;
        cp = (cp << 6) | (byte(at + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    at += extra;
    return cp;
}

inline bool IsValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();)
        if (NextCodePoint(text, at) < 0) return false;
    return true;
}

// UTF-16 units of well-formed UTF-8: two for a character past U+FFFF.
inline std::size_t Utf16Units(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) units += NextCodePoint(text, at) > 0xFFFF ? 2 : 1;
    return units;
}

// The longest start of well-formed UTF-8 within maxUnits UTF-16 units, whole characters only.
inline std::string_view Utf16Cut(std::string_view text, std::size_t maxUnits) {
    std::size_t units = 0, at = 0;
    while (at < text.size()) {
        std::size_t next = at;
        const std::size_t take = NextCodePoint(text, next) > 0xFFFF ? 2 : 1;
        if (units + take > maxUnits) break;
        units += take;
        at = next;
    }
    return text.substr(0, at);
}

}  // namespace fuzz
