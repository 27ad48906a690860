#pragma once
// Core text is UTF-8; these convert at the path boundary on every platform.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace packwell {

inline std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A program's arguments after its name, as UTF-8: Windows hands them over wide (wmain), and
// they go through the same conversion as every path.
template <typename Char>
std::vector<std::string> Utf8Arguments(int argc, Char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        if constexpr (sizeof(Char) == 1) args.emplace_back(argv[i]);
        else args.push_back(Utf8FromPath(std::filesystem::path(argv[i])));
    }
    return args;
}

}  // namespace packwell
