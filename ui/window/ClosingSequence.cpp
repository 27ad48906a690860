#include "ui/window/ClosingSequence.h"

namespace packwell::window {

ClosingStep ClosingSequence::Tick(int alpha, std::string_view currentTask, int top, int height) {
    if (alpha == 0) {
        if (ended_) return {};
        ended_ = true;
        return {ClosingStep::Action::End, 0, std::nullopt};
    }
    ClosingStep step{ClosingStep::Action::Fade, alpha <= kClosingAlphaStep ? 0 : alpha - kClosingAlphaStep,
                     std::nullopt};
    // Until the collapse runs, each tick stops whatever animates and asks for it.
    if (currentTask != kClosingTask)
        step.collapse = anim::Targets{.Left = anim::kKeep, .Top = top + height - height / 2, .Width = anim::kKeep,
                                      .Height = kClosingHeight};
    return step;
}

}  // namespace packwell::window
