// fakegame CLASS TITLE [--ignore-close] [--ignore-term] [--no-pid] [--log FILE]
// Opens one window of WM_CLASS CLASS titled TITLE (with _NET_WM_PID unless --no-pid) and waits.
// A close request (WM_DELETE_WINDOW) is written to FILE as a line "close" and ends the
// program unless --ignore-close; --ignore-term makes it deaf to SIGTERM.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s CLASS TITLE [--ignore-close] [--ignore-term] [--no-pid] [--log FILE]\n", argv[0]);
        return 2;
    }
    std::string windowClass = argv[1], title = argv[2], logPath;
    bool ignoreClose = false;
    bool namePid = true;
    for (int i = 3; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--ignore-close")) ignoreClose = true;
        else if (!std::strcmp(argv[i], "--ignore-term")) std::signal(SIGTERM, SIG_IGN);
        else if (!std::strcmp(argv[i], "--no-pid")) namePid = false;
        else if (!std::strcmp(argv[i], "--log") && i + 1 < argc) logPath = argv[++i];
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "fakegame: no display\n");
        return 3;
    }
    Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 320, 240, 0, 0, 0);
    XClassHint hint{windowClass.data(), windowClass.data()};
    XSetClassHint(d, w, &hint);
    XStoreName(d, w, title.c_str());
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
    long pid = getpid();
    if (namePid)
        XChangeProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&pid), 1);
    Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, w, &deleteWindow, 1);
    XMapWindow(d, w);
    XSync(d, False);
    for (;;) {
        XEvent event;
        XNextEvent(d, &event);
        if (event.type != ClientMessage || static_cast<Atom>(event.xclient.data.l[0]) != deleteWindow) continue;
        if (!logPath.empty()) {
            if (FILE* log = std::fopen(logPath.c_str(), "a")) {
                std::fputs("close\n", log);
                std::fclose(log);
            }
        }
        if (!ignoreClose) break;
    }
    XCloseDisplay(d);
    return 0;
}
