#include "core/log/VisibleText.h"

#include <cstdio>

#include "Addons/Custom/AllInOne/Utf8Codec.h"

namespace packwell {
namespace {

void AppendEscaped(std::string& out, std::string_view bytes) {
    for (const unsigned char c : bytes) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
    }
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

std::string VisibleText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const std::optional<char32_t> c = AllInOne::NextUtf8(text, pos);
        if (!c) ++pos;
        const std::string_view bytes = text.substr(start, pos - start);
        if (!c || IsControl(*c)) AppendEscaped(out, bytes);
        else out += bytes;
    }
    return out;
}

}  // namespace packwell
