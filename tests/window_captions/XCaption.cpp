#include "XCaption.h"

#include <X11/Xlib.h>

namespace packwell::test {

std::string NetWmName(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return "(no display)";
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string caption;
    if (XGetWindowProperty(display, window, name, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data)
        caption.assign(reinterpret_cast<const char*>(data), count);
    if (data) XFree(data);
    XCloseDisplay(display);
    return caption;
}

}  // namespace packwell::test
