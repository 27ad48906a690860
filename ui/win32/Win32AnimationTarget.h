#pragma once
// A window as seen by the animation engine: a top-level window by its outer rectangle on the
// screen, a child control by its rectangle in its parent's client area, both in units of
// 96 dots per inch like every size the window decides, so a move runs the same steps at any
// scale.
#include <windows.h>

#include "ui/window/AnimationEngine.h"

namespace packwell::anim {

class Win32AnimationTarget final : public AnimationTarget {
public:
    explicit Win32AnimationTarget(HWND window) : window_(window) {}
    bool Alive() const override { return IsWindow(window_) != FALSE; }  // a destroyed control ends its request
    int Get(Axis axis) const override;
    int Set(Axis axis, const Geometry& requested) override;

private:
    RECT Placement() const;
    int Dpi() const;

    HWND window_;
};

}  // namespace packwell::anim
