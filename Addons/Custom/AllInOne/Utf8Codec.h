#pragma once
// UTF-8 one character at a time, strict: what the INI reader, the log's escaping and the
// launcher settings reader all need to agree on.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace AllInOne {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

inline bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t codePoint);

// The character whose well-formed UTF-8 sequence starts at text[pos], pos then past it; nothing
// (pos unchanged) for a stray, overlong, surrogate or out-of-range sequence.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& pos);

bool IsValidUtf8(std::string_view text);

}  // namespace AllInOne
