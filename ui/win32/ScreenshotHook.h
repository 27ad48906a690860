#pragma once
// For the developers' screenshot script only: PACKWELL_SCREENSHOT_SKIN names the skin to show,
// and PACKWELL_SCREENSHOT_LAYOUT=full shows every group and bar at the full size with sample
// texts. Without them nothing changes.
#include <windows.h>

#include "ui/win32/MainControls.h"

namespace packwell::win32 {

void ApplyScreenshotHook(HWND window, MainControls& controls);

}  // namespace packwell::win32
