#include "ui/qt/QtProgressBar.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <limits>

namespace packwell::ui {

std::int64_t QtProgressBar::ScaleFor(std::int64_t maximum) {
    constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
    return maximum <= kIntMax ? 1 : (maximum + kIntMax - 1) / kIntMax;
}

QtProgressBar::Shown QtProgressBar::Current() const {
    if (maximum_ < 0) return {0, 0};  // range 0..0: busy
    const std::int64_t scale = ScaleFor(maximum_);
    const std::int64_t position = std::clamp<std::int64_t>(position_, 0, maximum_);
    return {static_cast<int>(maximum_ / scale), static_cast<int>(position / scale)};
}

void QtProgressBar::SetMaximum(std::int64_t maximum) {
    std::lock_guard lock(mutex_);
    maximum_ = maximum;
    Show(Current());
}

void QtProgressBar::SetPosition(std::int64_t position) {
    std::lock_guard lock(mutex_);
    position_ = position;
    Show(Current());
}

void QtProgressBar::Advance(std::int64_t delta) {
    std::lock_guard lock(mutex_);
    position_ += delta;
    Show(Current());
}

// Called under mutex_, so values queued from one thread reach the bar in the order computed.
void QtProgressBar::Show(Shown shown) {
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
