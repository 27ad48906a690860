#pragma once
// Where the program last asked a window to stand. Under an X window manager a move is answered
// late: a window read back soon after a request may still report an older place, and one just
// mapped reports 0, 0 until the manager has framed it. For a moment after each request the
// request itself is the better answer.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <optional>

namespace packwell::anim {

struct Placement {
    QPoint framePosition;  // as move() takes it
    QSize clientSize;      // as resize() takes it
};

// From now on every move, resize or placement the program asks of `window` is remembered.
void TrackRequestedPlacement(QWidget& window);
// The window manager moves the window itself (the user drags it): its answer counts from now.
void ForgetRequestedPlacement(QWidget& window);
// The last request while it is recent enough that the window manager may not have answered it.
std::optional<Placement> RecentRequestedPlacement(const QWidget& window);
// The window's client rectangle on the screen (as setGeometry takes it): the recent request's,
// or else the one read back.
QRect CurrentGeometry(const QWidget& window);

}  // namespace packwell::anim
