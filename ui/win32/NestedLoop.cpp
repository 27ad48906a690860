#include "ui/win32/NestedLoop.h"

#include <windows.h>

namespace packwell::win32 {

bool HandlePendingMessages() {
    // Only what was pending when the call began: a timer whose handler takes longer than its
    // interval always has its next tick ready and would keep a plain "while any" loop forever.
    const DWORD began = GetTickCount();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
        if (static_cast<LONG>(message.time - began) > 0) break;
    }
    return true;
}

void HandleMessagesUntil(const std::function<bool()>& done) {
    while (!done()) {
        if (!HandlePendingMessages()) return;
        if (done()) return;
        WaitMessage();
    }
}

}  // namespace packwell::win32
