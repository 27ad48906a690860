#pragma once
// From process start to the end of the message loop, in the order the program relies on.
#include <windows.h>

namespace packwell::app::win32 {

// Returns the exit code: 0 on every orderly path, 1 when an error escapes the start-up (it is
// shown in an error box first).
int RunProgram(HINSTANCE instance);

}  // namespace packwell::app::win32
