#pragma once
// How the skinned controls look, drawn with GDI in the selected skin's colours: the Qt
// window's style sheet is the model (rounded faces, one-pixel frames, the accent for focus,
// ticks and progress).
#include <windows.h>

#include <string>

#include "ui/win32/skin/SkinTheme.h"

namespace packwell::win32 {

enum class ButtonKind { Push, CheckBox, TitleItem, TitleClose };

struct ButtonLook {
    bool enabled = true;
    bool hover = false;
    bool pressed = false;
    bool focused = false;
    bool checked = false;
};

void PaintButton(HDC dc, const RECT& r, ButtonKind kind, const std::wstring& text, HFONT font,
                 const ButtonLook& look, const SkinTheme& theme);
// value 0..100.
void PaintProgress(HDC dc, const RECT& r, int value, const SkinTheme& theme);
// The window colour, and for a group its frame and its caption (top right, or top left).
void PaintPanel(HDC dc, const RECT& r, const std::wstring& caption, HFONT font, COLORREF captionColour,
                bool captionLeft, const SkinTheme& theme);
// A scroll bar as the Qt sheet has it: the field colour with a rounded handle in the button
// colour and no arrows. `thumb` is empty when there is nothing to scroll.
void PaintScrollBar(HDC dc, const RECT& bar, const RECT& thumb, const SkinTheme& theme);
void PaintTitleBar(HDC dc, const RECT& r, const std::wstring& caption, int captionRight, const SkinTheme& theme);

// Paints through a memory bitmap so a repaint does not flicker.
template <typename Paint>
void PaintBuffered(HDC target, const RECT& r, Paint paint) {
    HDC memory = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, r.right - r.left, r.bottom - r.top);
    HGDIOBJ old = SelectObject(memory, bitmap);
    paint(memory);
    BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

}  // namespace packwell::win32
