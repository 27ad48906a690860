#pragma once
// A 1 ms QTimer that exists only between Start and Stop.
#include <QPointer>
#include <QTimer>
#include <functional>

#include "ui/window/AnimationEngine.h"

namespace packwell::anim {

class QtAnimationTimer final : public AnimationTimer {
public:
    explicit QtAnimationTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {}
    ~QtAnimationTimer() override;
    bool Start() override;
    void Stop() override;

private:
    std::function<void()> onTick_;
    QPointer<QTimer> timer_;
};

}  // namespace packwell::anim
