#include "ui/win32/NestedLoop.h"

#include <windows.h>

namespace packwell::win32 {

bool HandlePendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
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
        WaitMessage();
    }
}

}  // namespace packwell::win32
