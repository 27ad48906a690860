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
        const ClosingStep step = closing.Tick(alpha, "Closing", true, 100, 133);
        ASSERT_EQ(step.action, Action::Fade);
        alpha = step.alpha;
        shown.push_back(alpha);
    }
    ASSERT_EQ(shown.size(), 15u);
    EXPECT_EQ(shown.front(), 238);
    EXPECT_EQ(shown.back(), 0);
    EXPECT_EQ(closing.Tick(0, "Closing", false, 100, 133).action, Action::End);
    EXPECT_EQ(closing.Tick(0, "Closing", false, 100, 133).action, Action::Nothing);
}

TEST(ClosingSequence, AnAlphaNotOnTheStepGridStillReachesZero) {
    ClosingSequence closing;
    EXPECT_EQ(closing.Tick(10, "Closing", true, 0, 0).alpha, 0);
    EXPECT_EQ(closing.Tick(17, "Closing", true, 0, 0).alpha, 0);
    EXPECT_EQ(closing.Tick(18, "Closing", true, 0, 0).alpha, 1);
}

TEST(ClosingSequence, CollapseIsAskedForTowardsTheMiddleAndAgainOnlyWhenItWasDropped) {
    ClosingSequence closing;
    const ClosingStep first = closing.Tick(255, "size", true, 100, 133);
    ASSERT_TRUE(first.collapse);
    EXPECT_EQ(first.collapse->Top, 100 + 133 - 66);
    EXPECT_EQ(first.collapse->Height, packwell::window::kClosingHeight);
    EXPECT_EQ(first.collapse->Left, packwell::anim::kKeep);
    EXPECT_EQ(first.collapse->Width, packwell::anim::kKeep);

    struct Case {
        const char* started;
        bool animating;
        bool askedAgain;
    };
    // The request waits while the service is busy and "size" was the last to start; a service
    // gone idle without starting it has dropped it; once "Closing" started it is never asked again.
    for (const Case c : {Case{"size", true, false}, Case{"size", false, true}, Case{"Closing", true, false},
                         Case{"Closing", false, false}})
        EXPECT_EQ(closing.Tick(238, c.started, c.animating, 100, 133).collapse.has_value(), c.askedAgain)
            << c.started << " " << c.animating;
}

}  // namespace
