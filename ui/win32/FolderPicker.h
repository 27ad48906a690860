#pragma once
// The folder picker: the system's folder dialog, rooted at the desktop, opened at a folder.
#include <windows.h>

#include <optional>
#include <string>

namespace packwell::win32 {

// The chosen folder (UTF-8); nothing after Cancel or for a place that is no folder on disk.
std::optional<std::string> PickFolder(HWND owner, const std::string& startFolder);

}  // namespace packwell::win32
