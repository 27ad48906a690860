#pragma once
// The opacity of a layered window (WS_EX_LAYERED): what the closing fade lowers step by step.
#include <windows.h>

#include <optional>

namespace packwell::win32 {

// Makes the window layered when it is not yet, then sets its alpha; false when Windows refuses.
bool SetWindowAlpha(HWND window, BYTE alpha);
// The alpha as Windows holds it; nullopt when the window is not layered or carries no alpha.
std::optional<BYTE> WindowAlpha(HWND window);

}  // namespace packwell::win32
