#pragma once
// How one line of an INI file reads, shared by the reader and the writer so both agree.
#include <string>
#include <string_view>
#include <vector>

namespace packwell::ini {

// One line of the file without its line break, and the break that ended it ("\r\n",
// "\n", a lone "\r", or empty for a last line without one).
struct Line {
    std::string_view text;
    std::string_view ending;
};

// Drops a UTF-8 byte-order mark from the front of file and returns it (or nothing).
std::string_view TakeBom(std::string_view& file);

// The first line of file, which then starts after it. Lines end at LF, CR LF and a lone CR, as
// Windows reads them.
Line NextLine(std::string_view& file);

// Every line, after dropping a UTF-8 byte-order mark (returned in bom). Readers of a large file
// walk it with NextLine instead: a list costs far more than the text it points into.
std::vector<Line> SplitLines(std::string_view file, std::string_view& bom);

struct Parsed {
    enum class Kind { Other, Section, Entry } kind = Kind::Other;
    std::string_view name;   // section name, or key; trimmed
    std::string_view value;  // entry value as it reads: trimmed, cut at a NUL, one pair of quotes off
};

// "[name]" opens a section; "key=value" is an entry (split at the first "="); blank
// lines, ";" comments and lines without "=" are neither.
Parsed ParseLine(std::string_view line);

std::string_view Trim(std::string_view text);
// What the text after "=" reads as: trimmed, ended at a NUL byte, and without one matching
// pair of " or ' around it.
std::string_view ValueText(std::string_view raw);
// The text to write after "=" so that it reads back as value: quoted when blanks at its ends
// or quotes around it would otherwise be lost.
std::string WritableValue(std::string_view value);
// Section and key names compare with A-Z folded, and blanks around them ignored.
bool SameName(std::string_view a, std::string_view b);
std::string FoldName(std::string_view name);

}  // namespace packwell::ini
