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

void WidgetAnimationTarget::Set(Axis axis, int value) {
    QWidget& w = *widget_;
    QSize extra = FrameExtra(w);
    switch (axis) {
        case Axis::Width: w.resize(value - extra.width(), w.height()); break;
        case Axis::Height: w.resize(w.width(), value - extra.height()); break;
        case Axis::Left: w.move(value, w.y()); break;
        case Axis::Top: w.move(w.x(), value); break;
    }
}

}  // namespace packwell::anim
