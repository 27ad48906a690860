#pragma once
// The game's own window on the desktop (X11 on Linux). Without a display there is none.
#include <optional>
#include <string>

namespace platform {

using WindowId = unsigned long;

struct GameWindow {
    WindowId Id = 0;
    // The process that owns the window: its _NET_WM_PID, else the X server's record of the
    // local client that made it; 0 when neither is known.
    int OwnerPid = 0;
};

// A top-level window (or a client window inside a window manager's frame) whose class
// (WM_CLASS name or class) is windowClass and whose title is exactly title.
std::optional<GameWindow> FindGameWindow(const std::string& windowClass, const std::string& title);

// Asks the window to close the way a user's close button does (WM_DELETE_WINDOW).
// Returns at once; false when there is no display or the message could not be sent.
bool AskWindowToClose(WindowId window);

}  // namespace platform
