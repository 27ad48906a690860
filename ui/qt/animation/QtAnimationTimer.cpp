#include "ui/qt/animation/QtAnimationTimer.h"

#include <QCoreApplication>

#include "ui/qt/TickInterval.h"

namespace packwell::anim {

namespace {
constexpr int kIntervalMs = TickInterval(1);
}

QtAnimationTimer::~QtAnimationTimer() {
    // At program end the application object may already be gone; the timer then goes
    // with the process.
    if (timer_ && QCoreApplication::instance()) delete timer_.data();
}

bool QtAnimationTimer::Start() {
    if (timer_) return true;
    if (!QCoreApplication::instance()) return false;
    timer_ = new QTimer();
    timer_->setInterval(kIntervalMs);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_.data(), &QTimer::timeout, [this] { onTick_(); });
    timer_->start();
    return timer_->isActive();
}

void QtAnimationTimer::Stop() {
    if (!timer_) return;
    timer_->stop();
    // Stop may be called from the timer's own tick, so the object goes later.
    timer_->deleteLater();
    timer_ = nullptr;
}

}  // namespace packwell::anim
