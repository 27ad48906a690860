// The Windows program's entry: no arguments are read.
#include <windows.h>

#include "app/win32/Startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return packwell::app::win32::RunProgram(instance); }
