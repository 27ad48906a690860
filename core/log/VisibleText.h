#pragma once
// Text from a server (file names above all) on its way to a terminal or the log window: a
// hostile name must not set the title, clear the screen or hide lines.
#include <string>
#include <string_view>

namespace packwell {

// The text with every control character (C0, DEL, and C1 as UTF-8) and every byte that is not
// part of well-formed UTF-8 written as \xNN, one per byte; all else unchanged.
std::string VisibleText(std::string_view text);

}  // namespace packwell
