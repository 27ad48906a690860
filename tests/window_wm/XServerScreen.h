#pragma once
// Where the X server shows a window: the rectangle of its outermost window (the manager's
// frame once it has one), asked on a connection of its own, so that the toolkit's own, later
// idea of the window's place plays no part. Apart from the tests, as Xlib's names clash with
// the toolkit's and the test framework's.

namespace packwell::test {

struct ServerRect {
    int left = 0, top = 0, width = -1, height = -1;  // width -1: not known
};

class XServerScreen {
public:
    XServerScreen();  // on $DISPLAY
    ~XServerScreen();
    XServerScreen(const XServerScreen&) = delete;
    XServerScreen& operator=(const XServerScreen&) = delete;

    ServerRect Outer(unsigned long window) const;

private:
    void* display_;
};

}  // namespace packwell::test
