#pragma once
// The skinned push button, check box and title bar item: one window class drawn by
// ControlPainter. It answers BM_CLICK, BM_GETCHECK and BM_SETCHECK, WM_SETFONT and WM_GETFONT
// like a system button.
#include <windows.h>

#include <functional>

#include "ui/win32/skin/ControlPainter.h"
#include "ui/win32/skin/SkinTheme.h"

namespace packwell::win32 {

enum class MouseButton { Left, Right, Middle };

struct SkinButtonSetup {
    ButtonKind kind = ButtonKind::Push;
    const SkinTheme* theme = nullptr;
    HFONT font = nullptr;
    HCURSOR cursor = nullptr;  // null: the arrow
    // A left click, or Space/Enter with the focus; a check box has taken its new state.
    std::function<void()> onClick;
    // A mouse button released after a press on the control: over it for a title bar item,
    // anywhere for a check box (after its state changed).
    std::function<void(MouseButton)> onRelease;
};

// Posted to a title bar item's parent when the item is shown or hidden, so it lays its items out again.
inline constexpr UINT kItemVisibilityChanged = WM_APP + 0x51;

HWND CreateSkinButton(HWND parent, const wchar_t* text, int left, int top, int width, int height,
                      SkinButtonSetup setup);

}  // namespace packwell::win32
