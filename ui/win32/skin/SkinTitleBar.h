#pragma once
// The caption strip the program draws (the window has no system caption): the top-level
// window's text at the left, items laid out from the right edge leftwards (item 0 leftmost,
// hidden items leave no gap) and a close button at the right. It spans its parent's width.
#include <windows.h>

#include <functional>

#include "ui/win32/skin/SkinButton.h"
#include "ui/win32/skin/SkinTheme.h"

namespace packwell::win32 {

// 96 dots per inch.
inline constexpr int kTitleBarHeight = 25;

struct SkinTitleBarSetup {
    const SkinTheme* theme = nullptr;
    std::function<void()> onPress;  // a press on the strip itself
    std::function<void()> onClose;
};

// Creates the strip with its close button (returned in `close`).
HWND CreateSkinTitleBar(HWND window, SkinTitleBarSetup setup, HWND* close);
// Adds an item (size at 96 dots per inch; a caption that needs more widens it) after those
// added before.
HWND AddTitleBarItem(HWND bar, const wchar_t* caption, int width, int height, SkinButtonSetup setup);
// Lays the strip out again at its parent's present width.
void ArrangeTitleBar(HWND bar);

}  // namespace packwell::win32
