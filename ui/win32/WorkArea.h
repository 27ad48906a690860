#pragma once
// Where the windows stand: a window is placed at the centre of the desktop's work area.
#include <windows.h>

namespace packwell::win32 {

// The top-left corner that centres a window of this size in the work area.
POINT CentredInWorkArea(int width, int height);

}  // namespace packwell::win32
