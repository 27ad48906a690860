#pragma once
// The game's own window on the desktop (X11 on Linux, a window of the Windows desktop there).
// Without a display there is none.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

using WindowId = std::uintptr_t;  // an X11 Window, or an HWND

struct GameWindow {
    WindowId Id = 0;
    // The process that owns the window: on X11 its _NET_WM_PID, else the X server's record of
    // the local client that made it; 0 when neither is known. On Windows the window's own
    // process (GetWindowThreadProcessId).
    int OwnerPid = 0;
};

// A top-level window (or a client window inside a window manager's frame) whose class
// (WM_CLASS name or class; the window class on Windows) is windowClass and whose title is
// exactly title.
std::optional<GameWindow> FindGameWindow(const std::string& windowClass, const std::string& title);

// Asks the window to close the way a user's close button does (WM_DELETE_WINDOW; WM_CLOSE
// on Windows, where the call waits for the window to take it, at most two seconds).
// False when there is no display or the message could not be delivered.
bool AskWindowToClose(WindowId window);

}  // namespace platform
