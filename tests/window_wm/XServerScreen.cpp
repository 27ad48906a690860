#include "tests/window_wm/XServerScreen.h"

#include <X11/Xlib.h>

namespace packwell::test {

XServerScreen::XServerScreen() : display_(XOpenDisplay(nullptr)) {}

XServerScreen::~XServerScreen() {
    if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

ServerRect XServerScreen::Outer(unsigned long window) const {
    auto* display = static_cast<Display*>(display_);
    if (!display) return {};
    // One look at a still server: the manager cannot reparent the window between the walk up
    // and the reading of its rectangle.
    XGrabServer(display);
    ServerRect shown;
    Window at = window, root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    bool found = false;
    for (;;) {  // up to the child of the root: the frame, or the window itself without one
        if (!XQueryTree(display, at, &root, &parent, &children, &count)) break;
        if (children) XFree(children);
        if (parent == root) {
            found = true;
            break;
        }
        at = parent;
    }
    XWindowAttributes a{};
    if (found && XGetWindowAttributes(display, at, &a) && a.map_state == IsViewable)
        shown = {a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width};
    XUngrabServer(display);
    XFlush(display);
    return shown;
}

}  // namespace packwell::test
