#pragma once
// The update check's boxes as Windows message boxes: owned by no window, on top of every one.
#include <windows.h>

#include "app/UpdateDialogs.h"

namespace packwell::app::win32 {

// The MessageBoxW flags of each box.
UINT UpdateBoxFlags(UpdateBox box);


}  // namespace packwell::app::win32
