#include "ui/win32/LayeredAlpha.h"

namespace packwell::win32 {

bool SetWindowAlpha(HWND window, BYTE alpha) {
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    return SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA) != FALSE;
}

std::optional<BYTE> WindowAlpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return std::nullopt;
    return alpha;
}

}  // namespace packwell::win32
