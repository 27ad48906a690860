#pragma once
// Command lines written the Windows way ("program" "argument with blanks") split into
// the argument list a POSIX start takes.
#include <string>
#include <string_view>
#include <vector>

namespace AllInOne {

// Blanks and tabs separate arguments; double quotes group (and are dropped); a backslash
// is literal unless a run of them precedes a double quote: 2n backslashes then give n and
// the quote groups, 2n+1 give n and a literal quote; "" inside quotes is a literal quote.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace AllInOne
