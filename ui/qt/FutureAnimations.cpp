#include "ui/qt/FutureAnimations.h"

#include <memory>

#include "ui/qt/animation/QtAnimationTimer.h"
#include "ui/qt/animation/WidgetAnimationTarget.h"

namespace FutureAnimations {

namespace {

struct Service {
    packwell::anim::QtAnimationTimer timer{[this] { engine.Tick(); }};
    packwell::anim::AnimationEngine engine{timer};
};

Service& TheService() {
    static Service service;
    return service;
}

}  // namespace

void AnimateControl(QWidget* Control, int Left, int Top, int Width, int Height, double Multiplier,
                    const std::string& Task) {
    AnimateControl(Control, packwell::anim::Targets{Left, Top, Width, Height}, Multiplier, Task);
}

void AnimateControl(QWidget* Control, const packwell::anim::Targets& To, double Multiplier, const std::string& Task) {
    TheService().engine.Animate(std::make_shared<packwell::anim::WidgetAnimationTarget>(Control), To, Multiplier, Task);
}

void StopAnimations() { TheService().engine.Stop(); }

bool IsAnimating() { return TheService().engine.IsAnimating(); }

std::string CurrentAnimationTask() { return TheService().engine.CurrentTask(); }

}  // namespace FutureAnimations
