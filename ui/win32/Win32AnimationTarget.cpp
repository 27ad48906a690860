#include "ui/win32/Win32AnimationTarget.h"

namespace packwell::anim {

RECT Win32AnimationTarget::Placement() const {
    RECT r{};
    GetWindowRect(window_, &r);
    if (GetWindowLongW(window_, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Win32AnimationTarget::Get(Axis axis) const {
    const RECT r = Placement();
    switch (axis) {
        case Axis::Width: return r.right - r.left;
        case Axis::Height: return r.bottom - r.top;
        case Axis::Left: return r.left;
        case Axis::Top: return r.top;
    }
    return 0;
}

void Win32AnimationTarget::Set(Axis axis, int value) {
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
