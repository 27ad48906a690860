#include "platform/GameWindow.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {
namespace {

// The game handles a close request in its message loop at once; a game that hangs must not
// hang the caller's window with it.
constexpr UINT kCloseRequestLimitMs = 2000;

HWND AsWindow(WindowId id) { return reinterpret_cast<HWND>(id); }

}  // namespace

std::optional<GameWindow> FindGameWindow(const std::string& windowClass, const std::string& title) {
    const HWND window = FindWindowW(Widen(windowClass).c_str(), Widen(title).c_str());
    if (!window) return std::nullopt;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return GameWindow{reinterpret_cast<WindowId>(window), static_cast<int>(pid)};
}

bool AskWindowToClose(WindowId window) {
    if (window == 0 || !IsWindow(AsWindow(window))) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(AsWindow(window), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                               kCloseRequestLimitMs, &result) != 0;
}

}  // namespace platform
