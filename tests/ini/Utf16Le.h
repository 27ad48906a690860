#pragma once
// Fixture files as Windows writes Unicode INI files: UTF-16LE behind its byte-order mark.
#include <string>
#include <string_view>

namespace packwell::test {

inline std::string Utf16Le(std::u16string_view text) {
    std::string bytes("\xFF\xFE", 2);
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

}  // namespace packwell::test
