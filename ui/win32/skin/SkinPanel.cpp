#include "ui/win32/skin/SkinPanel.h"

#include <cwchar>

#include "ui/win32/skin/ControlPainter.h"
#include "ui/win32/skin/SkinWindow.h"

namespace packwell::win32 {
namespace {

constexpr const wchar_t* kClassName = L"PackwellSkinPanel";

bool IsClass(HWND window, const wchar_t* name) {
    wchar_t found[32];
    return GetClassNameW(window, found, 32) && _wcsicmp(found, name) == 0;
}

// The label keeps its own colour over the window colour; the path field and the log have the
// definition's caption colour on the skin's field colour.
LRESULT ChildColours(const SkinTheme& theme, HWND child, HDC dc) {
    if (IsClass(child, L"Static")) {
        SetTextColor(dc, ToColorRef(window::kLabelText));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(theme.WindowBrush());
    }
    if (IsClass(child, L"Edit") || IsClass(child, L"ListBox")) {
        SetTextColor(dc, ToColorRef(window::kCaptionText));
        SetBkColor(dc, theme.Colour(&window::SkinPalette::field));
        return reinterpret_cast<LRESULT>(theme.FieldBrush());
    }
    SetBkColor(dc, theme.Colour(&window::SkinPalette::window));
    return reinterpret_cast<LRESULT>(theme.WindowBrush());
}

LRESULT Handle(HWND window, SkinPanelSetup& s, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool painted = HandlePaintMessage(window, message, wParam, [&](HDC dc, const RECT& r) {
        const COLORREF caption = s.captionColour ? ToColorRef(*s.captionColour)
                                                 : s.theme->Colour(&window::SkinPalette::caption);
        PaintPanel(dc, r, WindowText(window), s.font, caption, s.captionLeft, *s.theme);
    });
    if (painted) return 0;
    switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            return ChildColours(*s.theme, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (s.onPress) s.onPress();
            return 0;
        case WM_MOUSEMOVE:
            if (s.onMouseMove) s.onMouseMove();
            return 0;
        case WM_ENABLE:
            // Children draw themselves greyed with their parent: repaint them too.
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, FALSE);
            return result;
        }
        case WM_SETFONT: s.font = reinterpret_cast<HFONT>(wParam); return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

HWND CreateSkinPanel(HWND parent, const wchar_t* caption, RECT place, SkinPanelSetup setup) {
    return CreateSkinWindow<SkinPanelSetup, &Handle>(kClassName, 0,
                                                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, caption,
                                                     parent, place, std::make_unique<SkinPanelSetup>(std::move(setup)));
}

}  // namespace packwell::win32
