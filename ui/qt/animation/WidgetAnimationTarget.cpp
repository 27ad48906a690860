#include "ui/qt/animation/WidgetAnimationTarget.h"

namespace packwell::anim {

namespace {

// What the frame adds to the client size (nothing for the frameless main window).
QSize FrameExtra(const QWidget& w) {
    if (!w.isWindow()) return {0, 0};
    QRect frame = w.frameGeometry();
    return {frame.width() - w.width(), frame.height() - w.height()};
}

}  // namespace

int WidgetAnimationTarget::Get(Axis axis) const {
    const QWidget& w = *widget_;
    QSize extra = FrameExtra(w);
    switch (axis) {
        case Axis::Width: return w.width() + extra.width();
        case Axis::Height: return w.height() + extra.height();
        case Axis::Left: return w.x();  // frame position for a window, as move() takes it
        case Axis::Top: return w.y();
    }
    return 0;
}

int WidgetAnimationTarget::Set(Axis axis, const Geometry& requested) {
    QWidget& w = *widget_;
    const QSize extra = FrameExtra(w);
    switch (axis) {
        case Axis::Width:
        case Axis::Height: {
            // Both sides as asked: the other one read back may be a size the window manager
            // has not confirmed yet.
            const QSize client(requested[Axis::Width] - extra.width(), requested[Axis::Height] - extra.height());
            const QSize held = client.expandedTo(w.minimumSize()).boundedTo(w.maximumSize());
            w.resize(held);
            return axis == Axis::Width ? held.width() + extra.width() : held.height() + extra.height();
        }
        case Axis::Left:
        case Axis::Top: w.move(requested[Axis::Left], requested[Axis::Top]); break;
    }
    return requested[axis];
}

}  // namespace packwell::anim
