#include "ui/win32/skin/ControlPainter.h"

#include <algorithm>

namespace packwell::win32 {
namespace {

using P = window::SkinPalette;

// The Qt sheet's close button hover colour.
constexpr COLORREF kCloseHover = RGB(0xC0, 0x39, 0x2B);

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// A rounded face with a one-pixel border; `radius` in pixels at the screen's scale.
void RoundFace(HDC dc, const RECT& r, int radius, COLORREF face, COLORREF border) {
    HPEN pen = CreatePen(PS_SOLID, 1, border);
    HBRUSH brush = CreateSolidBrush(face);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    RoundRect(dc, r.left, r.top, r.right, r.bottom, 2 * radius, 2 * radius);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void Line(HDC dc, COLORREF colour, int width, const POINT* points, int count) {
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    Polyline(dc, points, count);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void Text(HDC dc, RECT r, const std::wstring& text, HFONT font, COLORREF colour, UINT format) {
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, old);
}

void PaintPush(HDC dc, const RECT& r, const std::wstring& text, HFONT font, const ButtonLook& look,
               const SkinTheme& theme) {
    Fill(dc, r, theme.Colour(&P::window));
    const COLORREF face = look.pressed ? theme.Colour(&P::buttonDown)
                          : look.hover && look.enabled ? theme.Colour(&P::buttonHover)
                                                       : theme.Colour(&P::button);
    const COLORREF border = !look.enabled ? theme.Colour(&P::buttonDown)
                            : look.focused ? theme.Colour(&P::accent)
                                           : theme.Colour(&P::frame);
    RoundFace(dc, r, theme.Scale(3), face, border);
    Text(dc, r, text, font, look.enabled ? theme.Colour(&P::caption) : theme.Colour(&P::disabled), DT_CENTER);
}

void PaintCheckBox(HDC dc, const RECT& r, const std::wstring& text, HFONT font, const ButtonLook& look,
                   const SkinTheme& theme) {
    Fill(dc, r, theme.Colour(&P::window));
    const int side = theme.Scale(13);
    const int top = r.top + (r.bottom - r.top - side) / 2;
    const RECT box{r.left, top, r.left + side, top + side};
    const COLORREF border = look.enabled && (look.hover || look.focused) ? theme.Colour(&P::accent)
                                                                         : theme.Colour(&P::frame);
    RoundFace(dc, box, theme.Scale(2), look.pressed ? theme.Colour(&P::buttonDown) : theme.Colour(&P::field), border);
    if (look.checked) {
        // A bold tick in the accent colour, drawn rather than taken from a font that may lack it.
        const POINT tick[] = {{box.left + side * 3 / 13, top + side * 7 / 13},
                              {box.left + side * 5 / 13, top + side * 10 / 13},
                              {box.left + side * 10 / 13, top + side * 3 / 13}};
        Line(dc, look.enabled ? theme.Colour(&P::accent) : theme.Colour(&P::disabled), std::max(2, theme.Scale(2)),
             tick, 3);
    }
    RECT label = r;
    label.left = box.right + theme.Scale(3);
    Text(dc, label, text, font, look.enabled ? theme.Colour(&P::caption) : theme.Colour(&P::disabled), DT_LEFT);
}

void PaintTitleItem(HDC dc, const RECT& r, const std::wstring& text, HFONT font, const ButtonLook& look,
                    const SkinTheme& theme) {
    Fill(dc, r, theme.Colour(&P::titleBar));
    if (look.hover || look.pressed)
        RoundFace(dc, r, theme.Scale(2), look.pressed ? theme.Colour(&P::buttonDown) : theme.Colour(&P::buttonHover),
                  theme.Colour(&P::frame));
    Text(dc, r, text, font, theme.Colour(&P::caption), DT_CENTER);
}

void PaintClose(HDC dc, const RECT& r, const ButtonLook& look, const SkinTheme& theme) {
    Fill(dc, r, theme.Colour(&P::titleBar));
    if (look.hover || look.pressed) RoundFace(dc, r, theme.Scale(2), kCloseHover, kCloseHover);
    // The cross is drawn: a font without the "✕" mark would show an empty box.
    const int half = theme.Scale(4);
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    const POINT down[] = {{cx - half, cy - half}, {cx + half + 1, cy + half + 1}};
    const POINT up[] = {{cx - half, cy + half}, {cx + half + 1, cy - half - 1}};
    const int width = std::max(2, theme.Scale(2));
    Line(dc, theme.Colour(&P::caption), width, down, 2);
    Line(dc, theme.Colour(&P::caption), width, up, 2);
}

}  // namespace

void PaintButton(HDC dc, const RECT& r, ButtonKind kind, const std::wstring& text, HFONT font,
                 const ButtonLook& look, const SkinTheme& theme) {
    switch (kind) {
        case ButtonKind::Push: PaintPush(dc, r, text, font, look, theme); break;
        case ButtonKind::CheckBox: PaintCheckBox(dc, r, text, font, look, theme); break;
        case ButtonKind::TitleItem: PaintTitleItem(dc, r, text, font, look, theme); break;
        case ButtonKind::TitleClose: PaintClose(dc, r, look, theme); break;
    }
}

void PaintProgress(HDC dc, const RECT& r, int value, const SkinTheme& theme) {
    Fill(dc, r, theme.Colour(&P::window));
    RoundFace(dc, r, theme.Scale(2), theme.Colour(&P::field), theme.Colour(&P::frame));
    const int inner = r.right - r.left - 2;
    const int filled = inner * std::clamp(value, 0, 100) / 100;
    if (filled > 0) Fill(dc, {r.left + 1, r.top + 1, r.left + 1 + filled, r.bottom - 1}, theme.Colour(&P::accent));
}

void PaintPanel(HDC dc, const RECT& r, const std::wstring& caption, HFONT font, COLORREF captionColour,
                bool captionLeft, const SkinTheme& theme) {
    Fill(dc, r, theme.Colour(&P::window));
    if (caption.empty()) return;
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(dc, old);
    // The frame runs through the caption's middle; the caption sits on a patch of the window
    // colour 10 px from its corner, as the Qt sheet places it.
    const RECT frame{r.left, r.top + extent.cy / 2, r.right, r.bottom};
    RoundFace(dc, frame, theme.Scale(4), theme.Colour(&P::window), theme.Colour(&P::frame));
    const int padding = theme.Scale(3);
    const int width = extent.cx + 2 * padding;
    const int left = captionLeft ? r.left + theme.Scale(10) : r.right - theme.Scale(10) - width;
    const RECT patch{left, r.top, left + width, r.top + extent.cy};
    Fill(dc, patch, theme.Colour(&P::window));
    Text(dc, patch, caption, font, captionColour, DT_CENTER);
}

void PaintScrollBar(HDC dc, const RECT& bar, const RECT& thumb, const SkinTheme& theme) {
    Fill(dc, bar, theme.Colour(&P::field));
    if (IsRectEmpty(&thumb)) return;
    RECT handle = thumb;
    InflateRect(&handle, -1, -1);
    RoundFace(dc, handle, theme.Scale(3), theme.Colour(&P::button), theme.Colour(&P::frame));
}

void PaintTitleBar(HDC dc, const RECT& r, const std::wstring& caption, int captionRight, const SkinTheme& theme) {
    Fill(dc, r, theme.Colour(&P::titleBar));
    const LONG left = r.left + theme.Scale(8);
    RECT text{left, r.top, std::max<LONG>(left, captionRight), r.bottom};
    Text(dc, text, caption, theme.Fonts().tahoma8Bold, theme.Colour(&P::caption), DT_LEFT | DT_END_ELLIPSIS);
}

}  // namespace packwell::win32
