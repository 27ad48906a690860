#pragma once
// A container in the window colour: the client area under the title bar, or a group box with
// its frame and caption. Hiding or disabling it hides or disables what it holds, and its
// children are placed in its own coordinates. It colours its edit, list and label children.
#include <windows.h>

#include <functional>
#include <optional>

#include "ui/win32/skin/SkinTheme.h"

namespace packwell::win32 {

struct SkinPanelSetup {
    const SkinTheme* theme = nullptr;
    HFONT font = nullptr;                       // the caption's; none for the client area
    std::optional<window::Rgb> captionColour;   // fixed; otherwise the skin's caption colour
    bool captionLeft = false;                   // top left instead of top right
    std::function<void()> onPress;              // any mouse button pressed on the panel itself
    std::function<void()> onMouseMove;          // the pointer moving over the panel itself
};

HWND CreateSkinPanel(HWND parent, const wchar_t* caption, RECT place, SkinPanelSetup setup);

}  // namespace packwell::win32
