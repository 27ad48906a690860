#include "core/settings/IniEncoding.h"

#include "Addons/Custom/AllInOne/Utf8Codec.h"

namespace packwell::ini {
namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

char32_t UnitAt(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]) | (static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
}

void AppendUnit(std::string& out, char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

}  // namespace

DecodedFile DecodeFile(std::string_view bytes) {
    if (!bytes.starts_with(kUtf16LeBom)) return {Encoding::Utf8, std::string(bytes)};
    bytes.remove_prefix(kUtf16LeBom.size());
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
    return {Encoding::Utf16Le, std::move(text)};
}

std::string EncodeFile(std::string_view text, Encoding encoding) {
    if (encoding == Encoding::Utf8) return std::string(text);
    std::string bytes(kUtf16LeBom);
    bytes.reserve(2 + text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        const std::optional<char32_t> cp = AllInOne::NextUtf8(text, pos);
        if (!cp) ++pos;  // a stray byte: stored as the replacement character
        const char32_t c = cp.value_or(AllInOne::kReplacementCharacter);
        if (c >= 0x10000) {
            AppendUnit(bytes, 0xD800 + ((c - 0x10000) >> 10));
            AppendUnit(bytes, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            AppendUnit(bytes, c);
        }
    }
    return bytes;
}

}  // namespace packwell::ini
