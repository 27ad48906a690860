#include "ui/win32/Win32AnimationTarget.h"

#include "ui/win32/DpiScale.h"

namespace packwell::anim {

RECT Win32AnimationTarget::Placement() const {
    RECT r{};
    GetWindowRect(window_, &r);
    if (GetWindowLongW(window_, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Win32AnimationTarget::Dpi() const { return win32::WindowDpi(GetAncestor(window_, GA_ROOT)); }

int Win32AnimationTarget::Get(Axis axis) const {
    const RECT r = Placement();
    int value = 0;
    switch (axis) {
        case Axis::Width: value = r.right - r.left; break;
        case Axis::Height: value = r.bottom - r.top; break;
        case Axis::Left: value = r.left; break;
        case Axis::Top: value = r.top; break;
    }
    return win32::ScaleTo96(value, Dpi());
}

void Win32AnimationTarget::Set(Axis axis, int value96) {
    const int value = win32::ScaleFrom96(value96, Dpi());
    RECT r = Placement();
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    switch (axis) {
        case Axis::Width: width = value; flags |= SWP_NOMOVE; break;
        case Axis::Height: height = value; flags |= SWP_NOMOVE; break;
        case Axis::Left: r.left = value; flags |= SWP_NOSIZE; break;
        case Axis::Top: r.top = value; flags |= SWP_NOSIZE; break;
    }
    SetWindowPos(window_, nullptr, r.left, r.top, width, height, flags);
}

}  // namespace packwell::anim
