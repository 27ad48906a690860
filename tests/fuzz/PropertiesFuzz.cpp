// The launcher's properties value. Any text comes back as well-formed UTF-8 (it becomes a
// path), and a value written the way Java's Properties.store writes it reads back as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/gamefolder/LauncherGameDir.h"
#include "core/gamefolder/PropertiesValue.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

struct Character {
    std::uint32_t cp;
    std::string utf8;
};

// The characters a value holds: the bytes as UTF-8 where they are well formed, each other
// byte as the Latin-1 character of that number.
std::vector<Character> Characters(std::string_view bytes) {
    std::vector<Character> chars;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t from = at;
        const long cp = fuzz::NextCodePoint(bytes, at);
        if (cp >= 0) {
            chars.push_back({static_cast<std::uint32_t>(cp), std::string(bytes.substr(from, at - from))});
        } else {
            at = from + 1;  // a stray byte, 0x80 or above: two bytes in UTF-8
            const auto byte = static_cast<unsigned char>(bytes[from]);
            chars.push_back({byte, {static_cast<char>(0xC0 | (byte >> 6)), static_cast<char>(0x80 | (byte & 0x3F))}});
        }
    }
    return chars;
}

void AppendUnicodeEscape(std::string& out, std::uint32_t unit, bool lowerHex) {
    const char* digits = lowerHex ? "0123456789abcdef" : "0123456789ABCDEF";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += digits[(unit >> shift) & 0xF];
}

// Properties.saveConvert for a value: a leading blank, \ and the separators and comment
// characters escaped with a backslash, controls by name, everything outside printable ASCII
// as \uXXXX of its UTF-16 units (store to a stream) or left as it is (store to a writer).
std::string JavaEscaped(const std::vector<Character>& chars, bool escapeUnicode, bool lowerHex) {
    std::string out;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const std::uint32_t c = chars[i].cp;
        switch (c) {
            case ' ': out += i == 0 ? "\\ " : " "; continue;
            case '\t': out += "\\t"; continue;
            case '\n': out += "\\n"; continue;
            case '\r': out += "\\r"; continue;
            case '\f': out += "\\f"; continue;
            case '\\': case '=': case ':': case '#': case '!':
                out += '\\';
                out += static_cast<char>(c);
                continue;
            default: break;
        }
        if ((c < 0x20 || c > 0x7E) && escapeUnicode) {
            if (c > 0xFFFF) {
                AppendUnicodeEscape(out, 0xD800 + ((c - 0x10000) >> 10), lowerHex);
                AppendUnicodeEscape(out, 0xDC00 + ((c - 0x10000) & 0x3FF), lowerHex);
            } else {
                AppendUnicodeEscape(out, c, lowerHex);
            }
        } else {
            out += chars[i].utf8;
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);

    // Whatever the file holds, the folder read from it is well-formed UTF-8.
    if (const auto dir = packwell::LauncherGameDirFromText(raw))
        fuzz::Require(fuzz::IsValidUtf8(*dir), "the folder from any file is well-formed UTF-8", [&] { return fuzz::Shown(raw); });
    const std::string anyValue = packwell::UnescapePropertiesValue(packwell::PropertiesLineToUtf8(raw));
    fuzz::Require(fuzz::IsValidUtf8(anyValue), "any unescaped line is well-formed UTF-8", [&] { return fuzz::Shown(raw); });

    FuzzedDataProvider input(data, size);
    const bool escapeUnicode = input.ConsumeBool();
    const bool lowerHex = input.ConsumeBool();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const std::vector<Character> chars = Characters(bytes);
    std::string original;
    for (const Character& c : chars) original += c.utf8;
    const std::string escaped = JavaEscaped(chars, escapeUnicode, lowerHex);

    const auto details = [&] { return "value " + fuzz::Shown(original) + " written as " + fuzz::Shown(escaped); };
    fuzz::Require(packwell::UnescapePropertiesValue(escaped) == original, "an escaped value unescapes to itself", details);
    const std::string file = "#Saved by the launcher\nminecraft.gamedir=" + escaped + "\r\nminecraft.gamedirs=x\n";
    fuzz::Require(packwell::LauncherGameDirFromText(file) == original, "the game folder reads back from the file", details);
    return 0;
}
