#pragma once
// Limits counted in UTF-16 units (as Windows counts them), applied to UTF-8 text.
#include <cstddef>
#include <string_view>

namespace AllInOne {

// Number of UTF-16 units the text takes (characters beyond U+FFFF take two).
std::size_t Utf16Length(std::string_view utf8);

// The longest prefix of at most maxUnits UTF-16 units that does not split a character.
std::string_view Utf16Prefix(std::string_view utf8, std::size_t maxUnits);

}  // namespace AllInOne
