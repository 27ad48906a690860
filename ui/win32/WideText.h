#pragma once
// Window texts are UTF-16; the program's texts are UTF-8. One conversion, the paths' own.
#include <string>
#include <string_view>

#include "core/Utf8Path.h"

namespace packwell::win32 {

inline std::wstring WideFromUtf8(std::string_view text) { return PathFromUtf8(text).wstring(); }
inline std::string Utf8FromWide(const std::wstring& text) { return Utf8FromPath(std::filesystem::path(text)); }

}  // namespace packwell::win32
