#include "ui/win32/NestedLoop.h"

#include <windows.h>

namespace packwell::win32 {

bool HandlePendingMessages() {
    // A bounded number: a timer whose handler takes longer than its interval always has its next
    // tick ready and would keep a plain "while any" loop forever.
    constexpr int kMostPerCall = 64;
    MSG message;
    for (int handled = 0; handled < kMostPerCall && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++handled) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

void HandleMessagesUntil(const std::function<bool()>& done) {
    while (!done()) {
        if (!HandlePendingMessages()) return;
        if (done()) return;
        // Returns at once while messages left over from the bounded turn wait too (WaitMessage
        // would sleep on them until a new one came).
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

}  // namespace packwell::win32
