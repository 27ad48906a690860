#include "ui/win32/skin/SkinScrollBars.h"

#include "ui/win32/skin/ControlPainter.h"

namespace packwell::win32 {

void PaintSkinScrollBars(HWND control, const SkinTheme& theme) {
    RECT window{};
    GetWindowRect(control, &window);
    HDC dc = GetWindowDC(control);
    RECT vertical{};
    RECT horizontal{};
    for (LONG id : {static_cast<LONG>(OBJID_VSCROLL), static_cast<LONG>(OBJID_HSCROLL)}) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        if (!GetScrollBarInfo(control, id, &info) || (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)))
            continue;
        RECT bar = info.rcScrollBar;
        OffsetRect(&bar, -window.left, -window.top);
        const bool isVertical = id == static_cast<LONG>(OBJID_VSCROLL);
        RECT thumb{};
        if (!(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && info.xyThumbBottom > info.xyThumbTop)
            thumb = isVertical ? RECT{bar.left, bar.top + info.xyThumbTop, bar.right, bar.top + info.xyThumbBottom}
                               : RECT{bar.left + info.xyThumbTop, bar.top, bar.left + info.xyThumbBottom, bar.bottom};
        PaintScrollBar(dc, bar, thumb, theme);
        (isVertical ? vertical : horizontal) = bar;
    }
    // The corner between the two bars.
    if (!IsRectEmpty(&vertical) && !IsRectEmpty(&horizontal)) {
        const RECT corner{vertical.left, horizontal.top, vertical.right, horizontal.bottom};
        PaintScrollBar(dc, corner, RECT{}, theme);
    }
    ReleaseDC(control, dc);
}

bool MayRedrawScrollBars(UINT message) {
    switch (message) {
        case WM_NCPAINT:
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
        case WM_KEYDOWN:
        case WM_NCLBUTTONDOWN:  // returns after the system's tracking of the bar
        case WM_NCLBUTTONUP:
        case WM_NCMOUSEMOVE:
        case WM_SIZE:
        case WM_ENABLE:
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
        case LB_DELETESTRING:
        case LB_RESETCONTENT:
        case LB_SETTOPINDEX:
        case LB_SETHORIZONTALEXTENT:
            return true;
        default:
            return false;
    }
}

}  // namespace packwell::win32
