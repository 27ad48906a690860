#pragma once
// For the developers' screenshot script only: PACKWELL_SCREENSHOT_SKIN names the skin the window
// shows. Without it nothing changes.
#include "ui/win32/MainControls.h"

namespace packwell::win32 {

void ApplyScreenshotHook(MainControls& controls);

}  // namespace packwell::win32
