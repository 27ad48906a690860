#pragma once
// The skinned progress bar: a face in the field colour with the accent filling 0..100 percent.
// Its value is set and read with PBM_SETPOS and PBM_GETPOS like the system's bar.
#include <windows.h>

#include "ui/win32/skin/SkinTheme.h"

namespace packwell::win32 {

HWND CreateSkinProgressBar(HWND parent, RECT place, const SkinTheme& theme);

}  // namespace packwell::win32
