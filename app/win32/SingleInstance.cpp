#include "app/win32/SingleInstance.h"

#include <windows.h>

namespace packwell::app::win32 {

bool ActivateRunningInstance(const wchar_t* className) {
    HWND running = FindWindowW(className, nullptr);
    if (!running) return false;
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return true;
}

}  // namespace packwell::app::win32
