#pragma once
// What the native main window hands to the desktop, with its own dialogs. Tests replace these
// to watch them.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "ui/window/DesktopServices.h"

namespace packwell::win32 {

struct WindowServices : window::DesktopServices {
    // The folder picker: the chosen folder (UTF-8), nothing after Cancel.
    std::function<std::optional<std::string>(HWND owner, const std::string& startFolder)> chooseFolder;
    // The running-game warning: modal, on top of everything, returns when it is closed.
    std::function<void(HWND owner)> showGameWarning;
    // Ends the message loop of the program.
    std::function<void()> terminate;

    static WindowServices Defaults();
};

}  // namespace packwell::win32
