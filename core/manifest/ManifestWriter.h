#pragma once
// Writing the server manifest (Update) for the pack tool. Only the lists are generated; every
// other line of an existing manifest ("Update", comments, unknown sections) is kept byte for
// byte, so the tool never disturbs what an admin wrote by hand.
#include <string>
#include <string_view>
#include <vector>

#include "core/manifest/Manifest.h"

namespace packwell {

// Whether a client reading `value` from a written manifest gets it back exactly: no line
// break, no blanks at either end (the reader trims them), not cut by the value length limit.
bool ReadsBackUnchanged(std::string_view value);

// "[modlist]" with "Count" first, then mod<i>, mod<i>size and, when known, mod<i>sha256 (lowercase)
// for i = 1..N, lines ending CR LF.
// Throws std::invalid_argument for a name that would not read back unchanged.
std::string FormatModList(const std::vector<ManifestEntry>& mods);
// "[dellist]" with "Count", then mod<i>.
std::string FormatDelList(const std::vector<std::string>& names);

// `file` with every occurrence of `section` (header and the lines up to the next header)
// removed and `replacement` put where the first one stood, or appended when there was none.
// A UTF-16LE file stays UTF-16LE (a character it cannot hold whole reads as U+FFFD).
std::string ReplaceSection(std::string_view file, std::string_view section, std::string_view replacement);

}  // namespace packwell
