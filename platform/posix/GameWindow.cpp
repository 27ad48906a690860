#include "platform/GameWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>

#include <cstring>
#include <memory>
#include <vector>

namespace platform {

namespace {

// Reparenting window managers wrap each client in one or two frames; deeper is not a
// top-level window any more.
constexpr int kMaxDepth = 4;

int IgnoreXError(Display*, XErrorEvent*) { return 0; }  // windows may vanish mid-walk

// One short-lived connection per call: a display that goes away between calls costs
// nothing, and X errors (a window closed meanwhile) are ignored only while it is open.
class Connection {
public:
    Connection() : display_(XOpenDisplay(nullptr)) {
        if (display_) previous_ = XSetErrorHandler(IgnoreXError);
    }
    ~Connection() {
        if (!display_) return;
        XSync(display_, False);
        XSetErrorHandler(previous_);
        XCloseDisplay(display_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Display* get() const { return display_; }

private:
    Display* display_;
    XErrorHandler previous_ = nullptr;
};

struct XFreeDeleter {
    void operator()(void* p) const {
        if (p) XFree(p);
    }
};

// One window property of the given type and format; empty data when it is absent or of another kind.
struct Property {
    std::unique_ptr<unsigned char, XFreeDeleter> data;
    unsigned long count = 0;
};

Property ReadProperty(Display* d, Window w, Atom property, Atom type, int format, long maxLength) {
    Atom actualType;
    int actualFormat;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, maxLength, False, type, &actualType, &actualFormat, &count, &after,
                           &data) != Success)
        return {};
    Property result{std::unique_ptr<unsigned char, XFreeDeleter>(data), count};
    if (!data || actualType != type || actualFormat != format || count < 1) return {};
    return result;
}

std::string Utf8Property(Display* d, Window w, Atom property, Atom type) {
    const Property p = ReadProperty(d, w, property, type, 8, 4096);
    return p.data ? std::string(reinterpret_cast<const char*>(p.data.get()), p.count) : std::string();
}

std::string TitleOf(Display* d, Window w) {
    Atom netWmName = XInternAtom(d, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    std::string title = Utf8Property(d, w, netWmName, utf8);
    if (!title.empty()) return title;
    char* name = nullptr;
    if (!XFetchName(d, w, &name) || !name) return {};
    std::unique_ptr<char, XFreeDeleter> owned(name);
    return name;
}

// Empty optional when the window carries no class at all (not a client window).
std::optional<bool> ClassMatches(Display* d, Window w, const std::string& windowClass) {
    XClassHint hint{};
    if (!XGetClassHint(d, w, &hint)) return std::nullopt;
    std::unique_ptr<char, XFreeDeleter> name(hint.res_name), cls(hint.res_class);
    return (hint.res_class && windowClass == hint.res_class) || (hint.res_name && windowClass == hint.res_name);
}

int OwnerPidOf(Display* d, Window w) {
    const Property p = ReadProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32, 1);
    if (!p.data) return 0;
    // Format-32 properties come back as longs.
    long pid = *reinterpret_cast<const long*>(p.data.get());
    return pid > 0 && pid <= 0x7fffffff ? static_cast<int>(pid) : 0;
}

// The server's own record of which local process made the window, for games that do
// not name their process on the window.
int ClientPidOf(Display* d, Window w) {
    int eventBase, errorBase;
    if (!XResQueryExtension(d, &eventBase, &errorBase)) return 0;
    XResClientIdSpec clientId{w, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* values = nullptr;
    if (XResQueryClientIds(d, 1, &clientId, &count, &values) != Success) return 0;
    int pid = 0;
    for (long i = 0; i < count && pid <= 0; ++i)
        if (XResGetClientIdType(&values[i]) == XRES_CLIENT_ID_PID) pid = XResGetClientPid(&values[i]);
    XResClientIdsDestroy(count, values);
    return pid > 0 ? pid : 0;
}

int WindowOwnerPid(Display* d, Window w) {
    int pid = OwnerPidOf(d, w);
    return pid > 0 ? pid : ClientPidOf(d, w);
}

std::optional<Window> Search(Display* d, Window parent, int depth, const std::string& windowClass,
                             const std::string& title) {
    Window root, parentOut;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, parent, &root, &parentOut, &children, &count)) return std::nullopt;
    std::unique_ptr<Window, XFreeDeleter> owned(children);
    std::vector<Window> frames;
    for (unsigned int i = 0; i < count; ++i) {
        std::optional<bool> matches = ClassMatches(d, children[i], windowClass);
        if (!matches) {
            frames.push_back(children[i]);  // perhaps a frame around a client
            continue;
        }
        if (*matches && TitleOf(d, children[i]) == title) return children[i];
    }
    if (depth + 1 >= kMaxDepth) return std::nullopt;
    for (Window frame : frames)
        if (auto found = Search(d, frame, depth + 1, windowClass, title)) return found;
    return std::nullopt;
}

}  // namespace

std::optional<GameWindow> FindGameWindow(const std::string& windowClass, const std::string& title) {
    Connection connection;
    Display* d = connection.get();
    if (!d) return std::nullopt;
    for (int screen = 0; screen < ScreenCount(d); ++screen) {
        if (auto window = Search(d, RootWindow(d, screen), 0, windowClass, title))
            return GameWindow{*window, WindowOwnerPid(d, *window)};
    }
    return std::nullopt;
}

bool AskWindowToClose(WindowId window) {
    Connection connection;
    Display* d = connection.get();
    if (!d || window == 0) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    Status sent = XSendEvent(d, window, False, NoEventMask, &event);
    XSync(d, False);
    return sent != 0;
}

}  // namespace platform
