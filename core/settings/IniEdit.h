#pragma once
// The change one write makes to the text of an INI file.
#include <string>
#include <string_view>

namespace packwell::ini {

// Throws std::invalid_argument for a section, key or value that would not read back as
// written: a line break, a section name with "]", a key with "=" or opening with "[" or
// ";", an empty section or key.
void CheckWritable(std::string_view section, std::string_view key, std::string_view value);

// The file text with key set to value: the first entry the reader would find (in the
// section's first occurrence) is changed in place; otherwise the key is added after the last
// line of that occurrence; otherwise the section is added at the end. The value is quoted
// when it would not read back otherwise. Every other line stays as it was, byte for byte.
// Lines written here end with CR LF.
std::string SetValue(std::string_view file, std::string_view section, std::string_view key, std::string_view value);

}  // namespace packwell::ini
