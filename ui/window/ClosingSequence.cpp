#include "ui/window/ClosingSequence.h"

namespace packwell::window {

ClosingStep ClosingSequence::Tick(int alpha, std::string_view currentTask, bool animating, int top, int height) {
    if (alpha == 0) {
        if (ended_) return {};
        ended_ = true;
        return {ClosingStep::Action::End, 0, std::nullopt};
    }
    ClosingStep step{ClosingStep::Action::Fade, alpha <= kClosingAlphaStep ? 0 : alpha - kClosingAlphaStep,
                     std::nullopt};
    // Until the collapse runs, a tick stops whatever animates and asks for it; but not while
    // the request made earlier still waits for the service's next tick: asked again at every
    // tick, it would be dropped before it could start whenever this timer fires first.
    const bool waiting = requested_ && animating;
    if (currentTask != kClosingTask && !waiting) {
        step.collapse = anim::Targets{.Left = anim::kKeep, .Top = top + height - height / 2, .Width = anim::kKeep,
                                      .Height = kClosingHeight};
        requested_ = true;
    }
    return step;
}

}  // namespace packwell::window
