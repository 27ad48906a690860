#pragma once
#include <string>

namespace packwell::window {

// The main window's caption for a server's game version.
std::string MainCaption(const std::string& gameVersion);

}  // namespace packwell::window
