#pragma once
// The main window's closing: every tick of the closing timer takes 17 off the window's alpha
// while the window collapses towards its middle, and the tick after alpha reached 0 ends the
// program. The same sequence for every toolkit; the window only applies each step.
#include <optional>
#include <string_view>

#include "ui/window/AnimationEngine.h"

namespace packwell::window {

inline constexpr int kClosingAlphaStep = 17;  // 255 reaches 0 in 15 ticks
inline constexpr std::string_view kClosingTask = "Closing";
inline constexpr double kClosingSpeed = 0.03;
inline constexpr int kClosingHeight = 36;

struct ClosingStep {
    enum class Action {
        Nothing,  // the end was already asked for
        End,      // end the program now
        Fade,     // show `alpha`; first start `collapse` when it is set
    };
    Action action = Action::Nothing;
    int alpha = 0;
    // When set: stop the folder validation and every animation, then request this collapse
    // under kClosingTask with kClosingSpeed.
    std::optional<anim::Targets> collapse;
};

class ClosingSequence {
public:
    // One tick: the window's present alpha, the task of the animation request started last,
    // whether the animation service is busy (running or with requests waiting), and the
    // window's top and height.
    ClosingStep Tick(int alpha, std::string_view currentTask, bool animating, int top, int height);

private:
    bool ended_ = false;
    bool requested_ = false;
};

}  // namespace packwell::window
