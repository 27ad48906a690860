#pragma once
// UTF-8 text to the wide strings the Windows API takes, and back.
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Invalid UTF-8 becomes U+FFFD; the API then names no file the caller did not mean.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// A path as UTF-8, for messages (path::string() would go through the ANSI code page).
inline std::string Utf8Name(const std::filesystem::path& path) { return Narrow(path.native()); }

}  // namespace platform
