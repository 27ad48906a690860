#pragma once
// Sizes are given at 96 dots per inch; the window scales them to the screen's.
#include <windows.h>

namespace packwell::win32 {

// The dots per inch of the primary screen as this (DPI-aware) program sees it.
int ScreenDpi();
// The dots per inch of the screen the window is on (Windows 10 and later), else the primary's.
int WindowDpi(HWND window);
int ScaleFrom96(int value, int dpi);
int ScaleTo96(int value, int dpi);

}  // namespace packwell::win32
