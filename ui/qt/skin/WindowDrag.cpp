#include "ui/qt/skin/WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "ui/qt/animation/RequestedPlacement.h"

namespace skin {

WindowDrag::WindowDrag(QWidget* window, std::function<bool()> mayStart)
    : QObject(window), window_(window), mayStart_(std::move(mayStart)) {}

void WindowDrag::AddArea(QWidget* area) { area->installEventFilter(this); }

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        state_ = mayStart_() ? State::Pressed : State::Idle;
        pressGlobal_ = e->globalPosition().toPoint();
        windowAtPress_ = window_->pos();
        break;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (state_ == State::Idle || !(e->buttons() & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton)))
            break;
        const QPoint delta = e->globalPosition().toPoint() - pressGlobal_;
        if (state_ == State::Pressed) {
            if (delta.manhattanLength() < QApplication::startDragDistance()) break;
            // The window manager's own move when it offers one; otherwise we follow the pointer.
            QWindow* handle = window_->windowHandle();
            if (handle && handle->startSystemMove()) {
                packwell::anim::ForgetRequestedPlacement(*window_);
                state_ = State::Idle;
                return true;
            }
            state_ = State::Moving;
        }
        window_->move(windowAtPress_ + delta);
        return true;
    }
    case QEvent::MouseButtonRelease:
        state_ = State::Idle;
        break;
    default:
        break;
    }
    Q_UNUSED(watched);
    return false;
}

}  // namespace skin
