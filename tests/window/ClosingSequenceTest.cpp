#include "ui/window/ClosingSequence.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using packwell::window::ClosingSequence;
using packwell::window::ClosingStep;
using Action = ClosingStep::Action;

TEST(ClosingSequence, FadesBy17PerTickThenEndsExactlyOnce) {
    ClosingSequence closing;
    int alpha = 255;
    std::vector<int> shown;
    for (int tick = 0; tick < 20 && alpha > 0; ++tick) {
        const ClosingStep step = closing.Tick(alpha, "Closing", 100, 133);
        ASSERT_EQ(step.action, Action::Fade);
        alpha = step.alpha;
        shown.push_back(alpha);
    }
    ASSERT_EQ(shown.size(), 15u);
    EXPECT_EQ(shown.front(), 238);
    EXPECT_EQ(shown.back(), 0);
    EXPECT_EQ(closing.Tick(0, "Closing", 100, 133).action, Action::End);
    EXPECT_EQ(closing.Tick(0, "Closing", 100, 133).action, Action::Nothing);
}

TEST(ClosingSequence, AnAlphaNotOnTheStepGridStillReachesZero) {
    ClosingSequence closing;
    EXPECT_EQ(closing.Tick(10, "Closing", 0, 0).alpha, 0);
    EXPECT_EQ(closing.Tick(17, "Closing", 0, 0).alpha, 0);
    EXPECT_EQ(closing.Tick(18, "Closing", 0, 0).alpha, 1);
}

TEST(ClosingSequence, CollapseIsAskedForUntilItRunsTowardsTheMiddle) {
    ClosingSequence closing;
    for (const char* running : {"", "size"}) {
        const ClosingStep step = closing.Tick(255, running, 100, 133);
        ASSERT_TRUE(step.collapse) << running;
        EXPECT_EQ(step.collapse->Top, 100 + 133 - 66);
        EXPECT_EQ(step.collapse->Height, packwell::window::kClosingHeight);
        EXPECT_EQ(step.collapse->Left, packwell::anim::kKeep);
        EXPECT_EQ(step.collapse->Width, packwell::anim::kKeep);
    }
    EXPECT_FALSE(closing.Tick(255, "Closing", 100, 133).collapse);
}

}  // namespace
