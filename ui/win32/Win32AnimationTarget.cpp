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

int Win32AnimationTarget::Set(Axis axis, const Geometry& requested) {
    const int dpi = Dpi();
    const auto scaled = [&](Axis a) { return win32::ScaleFrom96(requested[a], dpi); };
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    flags |= axis == Axis::Width || axis == Axis::Height ? SWP_NOMOVE : SWP_NOSIZE;
    // The whole placement as asked: a side read back under a window manager may be a late one.
    SetWindowPos(window_, nullptr, scaled(Axis::Left), scaled(Axis::Top), scaled(Axis::Width), scaled(Axis::Height),
                 flags);
    if (axis == Axis::Left || axis == Axis::Top) return requested[axis];
    // The system bounds a size at once (the window's least and largest); a position it takes as given.
    const RECT r = Placement();
    const int held = axis == Axis::Width ? r.right - r.left : r.bottom - r.top;
    return held == scaled(axis) ? requested[axis] : win32::ScaleTo96(held, dpi);
}

}  // namespace packwell::anim
