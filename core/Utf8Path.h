#pragma once
// Core text is UTF-8; these convert at the path boundary on every platform.
#include <filesystem>
#include <string>
#include <string_view>

namespace packwell {

inline std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace packwell
