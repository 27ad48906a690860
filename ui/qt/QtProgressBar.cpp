#include "ui/qt/QtProgressBar.h"

#include <QCoreApplication>
#include <QThread>

namespace packwell::ui {

void QtProgressBar::SetMaximum(std::int64_t maximum) {
    std::lock_guard lock(mutex_);
    Show(progress_.SetMaximum(maximum));
}

void QtProgressBar::SetPosition(std::int64_t position) {
    std::lock_guard lock(mutex_);
    Show(progress_.SetPosition(position));
}

void QtProgressBar::Advance(std::int64_t delta) {
    std::lock_guard lock(mutex_);
    Show(progress_.Advance(delta));
}

// Called under mutex_, so values queued from one thread reach the bar in the order computed.
void QtProgressBar::Show(window::BarValue shown) {
    QProgressBar* bar = bar_.data();
    if (!bar) return;
    auto apply = [bar = bar_, shown] {
        if (!bar) return;
        if (bar->maximum() != shown.maximum || bar->minimum() != 0) bar->setRange(0, shown.maximum);
        bar->setValue(shown.value);
    };
    if (QThread::currentThread() == bar->thread())
        apply();
    else
        QMetaObject::invokeMethod(bar, apply, Qt::QueuedConnection);
}

void QtProgressBar::ProcessPendingEvents() {
    QProgressBar* bar = bar_.data();
    const QThread* uiThread = bar ? bar->thread() : QCoreApplication::instance()->thread();
    if (QThread::currentThread() == uiThread) QCoreApplication::processEvents();
}

}  // namespace packwell::ui
