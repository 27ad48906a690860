#pragma once
#include <string>

namespace packwell::window {

// The program's name on the desktop, and the caption of its standard error box.
inline constexpr const char* kApplicationTitle = "Brenvik Update";

// The main window's caption for a server's game version.
std::string MainCaption(const std::string& gameVersion);

}  // namespace packwell::window
