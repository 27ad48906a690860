#pragma once
// How one line of an INI file reads, shared by the reader and the writer so both agree.
#include <string>
#include <string_view>
#include <vector>

namespace packwell::ini {

// One line of the file without its line break, and the break that ended it ("\r\n",
// "\n", or empty for a last line without one).
struct Line {
    std::string_view text;
    std::string_view ending;
};

// Drops a UTF-8 byte-order mark from the front of file and returns it (or nothing).
std::string_view TakeBom(std::string_view& file);

// The first line of file, which then starts after it; split at LF and CR LF.
Line NextLine(std::string_view& file);

// Splits at LF and CR LF after dropping a UTF-8 byte-order mark (returned in bom). Readers of a
// large file walk it with NextLine instead: a list costs far more than the text it points into.
std::vector<Line> SplitLines(std::string_view file, std::string_view& bom);

struct Parsed {
    enum class Kind { Other, Section, Entry } kind = Kind::Other;
    std::string_view name;   // section name, or key; trimmed
    std::string_view value;  // entry value, trimmed
};

// "[name]" opens a section; "key=value" is an entry (split at the first "="); blank
// lines, ";" comments and lines without "=" are neither.
Parsed ParseLine(std::string_view line);

std::string_view Trim(std::string_view text);
// Section and key names compare with A-Z folded, and blanks around them ignored.
bool SameName(std::string_view a, std::string_view b);
std::string FoldName(std::string_view name);

}  // namespace packwell::ini
