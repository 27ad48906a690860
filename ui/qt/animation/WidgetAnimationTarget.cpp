#include "ui/qt/animation/WidgetAnimationTarget.h"

#include "ui/qt/animation/RequestedPlacement.h"

namespace packwell::anim {

namespace {

// What the frame adds to the client size. A frameless window has none, whatever Qt guesses
// while a window manager is still taking the window in (then it can report hundreds).
QSize FrameExtra(const QWidget& w) {
    if (!w.isWindow() || w.windowFlags().testFlag(Qt::FramelessWindowHint)) return {0, 0};
    const QRect frame = w.frameGeometry();
    return QSize(frame.width() - w.width(), frame.height() - w.height()).expandedTo(QSize(0, 0));
}

}  // namespace

int WidgetAnimationTarget::Get(Axis axis) const {
    const QWidget& w = *widget_;
    const QSize extra = FrameExtra(w);
    const auto requested = w.isWindow() ? RecentRequestedPlacement(w) : std::nullopt;
    const QPoint position = requested ? requested->framePosition : w.pos();  // as move() takes it
    const QSize client = requested ? requested->clientSize : w.size();
    switch (axis) {
        case Axis::Width: return client.width() + extra.width();
        case Axis::Height: return client.height() + extra.height();
        case Axis::Left: return position.x();
        case Axis::Top: return position.y();
    }
    return 0;
}

int WidgetAnimationTarget::Set(Axis axis, const Geometry& requested) {
    QWidget& w = *widget_;
    const QSize extra = FrameExtra(w);
    // The whole rectangle as asked, in one request: a side or a corner read back may be one the
    // window manager has not confirmed yet, and a resize alone would send that one along.
    const QSize client(requested[Axis::Width] - extra.width(), requested[Axis::Height] - extra.height());
    const QSize held = client.expandedTo(w.minimumSize()).boundedTo(w.maximumSize());
    const QPoint at(requested[Axis::Left], requested[Axis::Top]);  // the frame's corner for a window
    if (w.isWindow()) {
        const QPoint frame = w.geometry().topLeft() - w.pos();  // the frame's left and top
        w.setGeometry(QRect(at + frame, held));
    } else {
        w.setGeometry(QRect(at, held));
    }
    switch (axis) {
        case Axis::Width: return held.width() + extra.width();
        case Axis::Height: return held.height() + extra.height();
        case Axis::Left:
        case Axis::Top: break;
    }
    return requested[axis];
}

}  // namespace packwell::anim
