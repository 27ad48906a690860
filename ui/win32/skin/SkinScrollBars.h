#pragma once
// Draws a system control's scroll bars over in the skin's look. The system keeps scrolling and
// hit-testing; it also redraws the bars in its own look whenever their position changes, so
// the owner calls this after every such message.
#include <windows.h>

#include "ui/win32/skin/SkinTheme.h"

namespace packwell::win32 {

void PaintSkinScrollBars(HWND control, const SkinTheme& theme);
// The messages after which the system may have drawn the control's scroll bars.
bool MayRedrawScrollBars(UINT message);

}  // namespace packwell::win32
