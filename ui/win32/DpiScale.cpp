#include "ui/win32/DpiScale.h"

namespace packwell::win32 {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    // Looked up once: Windows 7 and 8 do not have it, and the headers for Windows 7 leave it out.
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const int dpi = getDpiForWindow && window ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : ScreenDpi();
}

int ScaleFrom96(int value, int dpi) { return MulDiv(value, dpi, USER_DEFAULT_SCREEN_DPI); }

int ScaleTo96(int value, int dpi) { return MulDiv(value, USER_DEFAULT_SCREEN_DPI, dpi); }

}  // namespace packwell::win32
