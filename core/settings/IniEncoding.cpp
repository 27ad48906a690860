#include "core/settings/IniEncoding.h"

#include <algorithm>
#include <array>

#include "Addons/Custom/AllInOne/Utf8Codec.h"

namespace packwell::ini {
namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view WithoutUtf8Bom(std::string_view text) {
    return text.starts_with(kUtf8Bom) ? text.substr(kUtf8Bom.size()) : text;
}

// Windows-1251 bytes 0x80..0xFF; 0xC0..0xFF are А..я in order.
constexpr std::array<char16_t, 64> kWindows1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char32_t FromWindows1251(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
    return kWindows1251High[byte - 0x80];
}

char ToWindows1251(char32_t c) {
    if (c < 0x80) return static_cast<char>(c);
    if (c >= 0x0410 && c <= 0x044F) return static_cast<char>(0xC0 + (c - 0x0410));
    const auto* found = std::find(kWindows1251High.begin(), kWindows1251High.end(), c);
    if (c == AllInOne::kReplacementCharacter || found == kWindows1251High.end()) return '?';
    return static_cast<char>(0x80 + (found - kWindows1251High.begin()));
}

char32_t UnitAt(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]) | (static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
}

void AppendUnit(std::string& out, char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

std::string DecodeUtf16Le(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = UnitAt(bytes, i);
        if (AllInOne::IsHighSurrogate(unit) && i + 3 < bytes.size() && AllInOne::IsLowSurrogate(UnitAt(bytes, i + 2))) {
            AllInOne::AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (UnitAt(bytes, i + 2) - 0xDC00));
            i += 2;
        } else if (AllInOne::IsHighSurrogate(unit) || AllInOne::IsLowSurrogate(unit)) {
            AllInOne::AppendUtf8(text, AllInOne::kReplacementCharacter);
        } else {
            AllInOne::AppendUtf8(text, unit);
        }
    }
    return text;
}

std::string DecodeWindows1251(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes) AllInOne::AppendUtf8(text, FromWindows1251(static_cast<unsigned char>(byte)));
    return text;
}

// Each character of text in turn; a stray byte comes as the replacement character.
template <typename Sink>
void ForEachCharacter(std::string_view text, Sink sink) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::optional<char32_t> cp = AllInOne::NextUtf8(text, pos);
        if (!cp) ++pos;
        sink(cp.value_or(AllInOne::kReplacementCharacter));
    }
}

}  // namespace

DecodedFile DecodeFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeBom)) return {Encoding::Utf16Le, DecodeUtf16Le(bytes.substr(kUtf16LeBom.size()))};
    if (AllInOne::IsValidUtf8(bytes)) return {Encoding::Utf8, std::string(bytes)};
    return {Encoding::Windows1251, DecodeWindows1251(bytes)};
}

std::string EncodeFile(std::string_view text, Encoding encoding) {
    std::string bytes;
    switch (encoding) {
        case Encoding::Utf8:
            return std::string(text);
        case Encoding::Windows1251:
            bytes.reserve(text.size());
            ForEachCharacter(text, [&](char32_t c) { bytes += ToWindows1251(c); });
            return bytes;
        case Encoding::Utf16Le:
            bytes = kUtf16LeBom;
            bytes.reserve(2 + text.size() * 2);
            text = WithoutUtf8Bom(text);  // the mark is written once, as UTF-16
            ForEachCharacter(text, [&](char32_t c) {
                if (c >= 0x10000) {
                    AppendUnit(bytes, 0xD800 + ((c - 0x10000) >> 10));
                    AppendUnit(bytes, 0xDC00 + ((c - 0x10000) & 0x3FF));
                } else {
                    AppendUnit(bytes, c);
                }
            });
            return bytes;
    }
    return std::string(text);
}

Encoding EncodingToWrite(Encoding current, std::string_view text, Encoding beyondAscii) {
    const bool ascii = std::ranges::all_of(WithoutUtf8Bom(text), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii || current == Encoding::Utf16Le ? current : beyondAscii;
}

}  // namespace packwell::ini
