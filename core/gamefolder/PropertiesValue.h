#pragma once
// Values of a Java properties file (the launcher keeps its settings in one). Its writer
// escapes every character above U+007E as \uXXXX and the characters \ : = # ! and blanks
// with a backslash, so a path is only right once all of that is undone.
#include <string>
#include <string_view>

namespace packwell {

// Raw bytes of one line as UTF-8: kept when they already are valid UTF-8, else read as
// ISO-8859-1 (the properties file's own encoding).
std::string PropertiesLineToUtf8(std::string_view line);

// Undoes every escape of a value: \uXXXX (surrogate pairs joined, a lone half becomes
// U+FFFD), \t \n \r \f, and a backslash before any other character stands for that
// character. A malformed \u stays as written; a backslash at the very end is dropped.
std::string UnescapePropertiesValue(std::string_view value);

}  // namespace packwell
