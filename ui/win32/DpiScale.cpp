#include "ui/win32/DpiScale.h"

namespace packwell::win32 {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int ScaleFrom96(int value, int dpi) { return MulDiv(value, dpi, USER_DEFAULT_SCREEN_DPI); }

}  // namespace packwell::win32
