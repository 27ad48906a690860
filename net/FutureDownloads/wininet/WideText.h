#pragma once
// UTF-8 text to and from the UTF-16 the Windows API takes.
#include <string>
#include <string_view>

namespace FutureDownloads::detail {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace FutureDownloads::detail
