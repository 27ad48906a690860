#include "ui/window/AnimationEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace packwell::anim;

namespace {

class FakeControl final : public AnimationTarget {
public:
    FakeControl(int left, int top, int width, int height) : values_{width, height, left, top} {}
    bool Alive() const override { return alive; }
    int Get(Axis axis) const override { return values_[static_cast<int>(axis)]; }
    int Set(Axis axis, const Geometry& requested) override {
        int value = requested[axis];
        if (axis == Axis::Width) value = std::max(value, minWidth);
        values_[static_cast<int>(axis)] = value;
        ++sets;
        return value;
    }
    int width() const { return Get(Axis::Width); }
    int height() const { return Get(Axis::Height); }
    int left() const { return Get(Axis::Left); }
    int top() const { return Get(Axis::Top); }

    bool alive = true;
    int minWidth = 0;  // a size the platform refuses to go below
    int sets = 0;

private:
    int values_[4];
};

class FakeTimer final : public AnimationTimer {
public:
    bool Start() override {
        ++starts;
        running = startSucceeds;
        return startSucceeds;
    }
    void Stop() override { running = false; }
    bool running = false;
    bool startSucceeds = true;
    int starts = 0;
};

class Animation : public ::testing::Test {
protected:
    std::shared_ptr<FakeControl> control(int left, int top, int width, int height) {
        return std::make_shared<FakeControl>(left, top, width, height);
    }
    // Ticks while the timer runs, at most `limit` times; returns the ticks taken.
    int runToEnd(int limit = 100000) {
        int ticks = 0;
        while (timer.running && ticks < limit) {
            engine.Tick();
            ++ticks;
        }
        return ticks;
    }

    FakeTimer timer;
    AnimationEngine engine{timer};
};

}  // namespace

TEST(AnimationStep, RoundsHalfToEvenAndTakesAtLeastOnePixel) {
    struct Case { int present, target; double multiplier; int expected; };
    const Case cases[] = {
        {133, 294, 0.2, 165},   // 32.2 -> 32
        {0, 5, 0.5, 2},         // 2.5 -> 2
        {0, 7, 0.5, 4},         // 3.5 -> 4
        {10, 0, 0.5, 5},        // downwards
        {0, 3, 0.2, 1},         // 0.6 -> 1
        {0, 2, 0.2, 1},         // 0.4 rounds to 0, at least 1
        {0, 1000, 5.0, 1000},   // above 1 behaves as 1
        {0, 1000, 0.0, 1},      // below the bound behaves as 0.001: one pixel
        {0, 1000, -3.0, 1},
        {0, 2000, 0.0005, 2},   // 0.001 * 2000
        {50, 50, 0.2, 50},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StepTowards(c.present, c.target, c.multiplier), c.expected)
            << c.present << " -> " << c.target << " x" << c.multiplier;
}

TEST_F(Animation, WorkedValuesArriveInTheDocumentedTicks) {
    struct Case { Axis axis; int from, to; std::vector<int> firstValues; int ticks; };
    const Case cases[] = {
        {Axis::Height, 133, 294, {165, 191, 212, 228, 241}, 21},
        {Axis::Width, 406, 830, {}, 25},
        {Axis::Width, 369, 329, {361, 355, 350}, 15},
    };
    for (const Case& c : cases) {
        auto target = control(0, 0, c.axis == Axis::Width ? c.from : 50, c.axis == Axis::Height ? c.from : 50);
        Targets goal;
        (c.axis == Axis::Width ? goal.Width : goal.Height) = c.to;
        engine.Animate(target, goal, 0.2, "size");
        std::vector<int> seen;
        int ticks = 0;
        while (timer.running && ticks < 1000) {
            engine.Tick();
            ++ticks;
            seen.push_back(target->Get(c.axis));
        }
        EXPECT_EQ(ticks, c.ticks) << c.from << " -> " << c.to;
        EXPECT_EQ(target->Get(c.axis), c.to);
        ASSERT_GE(seen.size(), c.firstValues.size());
        EXPECT_EQ(std::vector<int>(seen.begin(), seen.begin() + c.firstValues.size()), c.firstValues);
        EXPECT_EQ(target->left(), 0);  // untouched axes stay
        EXPECT_FALSE(engine.IsAnimating());
    }
}

TEST_F(Animation, AxesMoveInOrderWithinOneTickAndMultiplierOneArrivesAtOnce) {
    auto target = control(10, 20, 100, 200);
    engine.Animate(target, {30, 40, 150, 250}, 5.0, "size");
    engine.Tick();
    EXPECT_EQ(target->width(), 150);
    EXPECT_EQ(target->height(), 250);
    EXPECT_EQ(target->left(), 30);
    EXPECT_EQ(target->top(), 40);
    EXPECT_EQ(target->sets, 4);
    EXPECT_FALSE(engine.IsAnimating());
}

TEST_F(Animation, TinyMultiplierMovesOnePixelPerTick) {
    auto target = control(0, 0, 100, 100);
    engine.Animate(target, {kKeep, kKeep, 90, kKeep}, 0.0001, "size");
    engine.Tick();
    EXPECT_EQ(target->width(), 99);
    EXPECT_EQ(runToEnd(), 9);
    EXPECT_EQ(target->width(), 90);
}

TEST_F(Animation, AllKeepOrAlreadyThereCompletesInItsFirstTickWithoutMoving) {
    auto target = control(1, 2, 3, 4);
    engine.Animate(target, {kKeep, kKeep, kKeep, kKeep}, 0.2, "size");
    EXPECT_TRUE(engine.IsAnimating());
    engine.Tick();
    EXPECT_FALSE(engine.IsAnimating());
    EXPECT_EQ(engine.CurrentTask(), "size");

    engine.Animate(target, {1, 2, 3, 4}, 0.2, "CopyTL");
    engine.Tick();
    EXPECT_FALSE(engine.IsAnimating());
    EXPECT_EQ(target->sets, 0);
}

TEST_F(Animation, SecondSizeRequestCutsTheFirstShort) {
    auto window = control(0, 0, 406, 133);
    engine.Animate(window, {kKeep, kKeep, kKeep, 294}, 0.2, "size");
    engine.Tick();
    engine.Tick();
    ASSERT_EQ(window->height(), 191);
    engine.Animate(window, {kKeep, kKeep, kKeep, 133}, 0.2, "size");
    engine.Tick();  // the first stops where it stands, the second makes its first step
    EXPECT_EQ(window->height(), 191 - 12);  // 58 * 0.2 = 11.6 -> 12
    runToEnd();
    EXPECT_EQ(window->height(), 133);
    EXPECT_FALSE(engine.IsAnimating());
}

TEST_F(Animation, OnlyARequestWhoseNameContainsTheRunningNameCuts) {
    auto window = control(0, 0, 406, 133);
    auto button = control(8, 68, 369, 21);
    engine.Animate(window, {kKeep, kKeep, kKeep, 294}, 0.2, "size");
    engine.Tick();
    engine.Animate(button, {kKeep, kKeep, 329, kKeep}, 0.2, "CopyTL");
    engine.Animate(window, {kKeep, kKeep, 830, kKeep}, 0.2, "Size");  // case differs: no cut
    int ticks = 1;
    while (window->height() != 294 && ticks < 100) {
        EXPECT_EQ(button->width(), 369) << "CopyTL must wait behind the running size";
        engine.Tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 21);
    engine.Tick();
    EXPECT_EQ(button->width(), 361);
    EXPECT_EQ(window->width(), 406);
    runToEnd();
    EXPECT_EQ(button->width(), 329);
    EXPECT_EQ(window->width(), 830);
    EXPECT_EQ(engine.CurrentTask(), "Size");
}

TEST_F(Animation, CutShortGoesOnWithTheOldestQueuedRequest) {
    auto window = control(0, 0, 406, 133);
    auto button = control(8, 68, 369, 21);
    engine.Animate(window, {kKeep, kKeep, kKeep, 294}, 0.2, "size");
    engine.Tick();
    engine.Animate(button, {kKeep, kKeep, 329, kKeep}, 0.2, "CopyTL");
    engine.Animate(window, {kKeep, kKeep, kKeep, 133}, 0.2, "size");
    engine.Tick();
    EXPECT_EQ(window->height(), 165);  // cut where it stood
    EXPECT_EQ(button->width(), 361);
    EXPECT_EQ(engine.CurrentTask(), "CopyTL");
    runToEnd();
    EXPECT_EQ(window->height(), 133);
}

TEST_F(Animation, StopDiscardsQueuedRequestsAndKeepsTheTaskName) {
    auto window = control(0, 0, 406, 133);
    auto button = control(8, 68, 369, 21);
    engine.Animate(window, {kKeep, kKeep, kKeep, 294}, 0.2, "size");
    engine.Animate(button, {kKeep, kKeep, 329, kKeep}, 0.2, "CopyTL");
    engine.Tick();
    engine.Stop();
    EXPECT_FALSE(engine.IsAnimating());
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(engine.CurrentTask(), "size");
    EXPECT_EQ(engine.QueuedCount(), 0u);
    EXPECT_EQ(window->height(), 165);
    engine.Tick();  // a stray tick after the stop moves nothing
    EXPECT_EQ(window->height(), 165);
    EXPECT_EQ(button->width(), 369);

    engine.Animate(button, {kKeep, kKeep, 329, kKeep}, 0.2, "Closing");
    EXPECT_TRUE(engine.IsAnimating());
    EXPECT_EQ(engine.QueuedCount(), 1u);
    runToEnd();
    EXPECT_EQ(button->width(), 329);
    EXPECT_EQ(window->height(), 165);
}

TEST_F(Animation, TaskNameIsEmptyBeforeTheFirstRequestStarts) {
    EXPECT_EQ(engine.CurrentTask(), "");
    EXPECT_FALSE(engine.IsAnimating());
    engine.Animate(control(0, 0, 1, 1), {kKeep, kKeep, 5, kKeep}, 0.2, "size");
    EXPECT_EQ(engine.CurrentTask(), "");  // queued, not yet started
    engine.Tick();
    EXPECT_EQ(engine.CurrentTask(), "size");
}

TEST_F(Animation, TimerExistsOnlyWhileAnimatingAndOneServesAllRequests) {
    auto a = control(0, 0, 10, 10);
    engine.Animate(a, {kKeep, kKeep, 12, kKeep}, 1.0, "size");
    engine.Animate(a, {kKeep, kKeep, 14, kKeep}, 1.0, "CopyTL");
    EXPECT_EQ(timer.starts, 1);
    EXPECT_EQ(runToEnd(), 2);
    EXPECT_EQ(a->width(), 14);
    engine.Animate(a, {kKeep, kKeep, 16, kKeep}, 1.0, "size");
    EXPECT_EQ(timer.starts, 2);
}

TEST_F(Animation, FailedTimerStartMovesNothingAndTheNextRequestRetries) {
    auto a = control(0, 0, 10, 10);
    timer.startSucceeds = false;
    engine.Animate(a, {kKeep, kKeep, 20, kKeep}, 1.0, "size");
    EXPECT_FALSE(engine.IsAnimating());
    timer.startSucceeds = true;
    engine.Animate(a, {kKeep, kKeep, kKeep, 30}, 1.0, "size");
    EXPECT_EQ(engine.QueuedCount(), 1u);  // the stranded request was dropped
    runToEnd();
    EXPECT_EQ(a->width(), 10);
    EXPECT_EQ(a->height(), 30);
}

TEST_F(Animation, RefusedSizeEndsTheRequestSoQueuedOnesStillRun) {
    auto window = control(0, 0, 406, 133);
    window->minWidth = 350;
    auto button = control(8, 68, 369, 21);
    engine.Animate(window, {kKeep, kKeep, 300, 200}, 0.2, "size");
    engine.Animate(button, {kKeep, kKeep, 329, kKeep}, 0.2, "CopyTL");
    int ticks = runToEnd(10000);
    EXPECT_LT(ticks, 10000);
    EXPECT_FALSE(engine.IsAnimating());
    EXPECT_EQ(window->width(), 350);
    EXPECT_EQ(window->height(), 200);  // the other axis still arrived
    EXPECT_EQ(button->width(), 329);
}

TEST_F(Animation, ControlGoneMidRequestEndsIt) {
    auto window = control(0, 0, 406, 133);
    auto button = control(8, 68, 369, 21);
    engine.Animate(window, {kKeep, kKeep, kKeep, 294}, 0.2, "size");
    engine.Animate(button, {kKeep, kKeep, 329, kKeep}, 0.2, "CopyTL");
    engine.Tick();
    window->alive = false;
    int setsBefore = window->sets;
    runToEnd(1000);
    EXPECT_FALSE(engine.IsAnimating());
    EXPECT_EQ(window->sets, setsBefore);
    EXPECT_EQ(button->width(), 329);
}

// A window manager answers moves late: what a window reports mid-request is an older value (or
// 0, 0 for a window it has just mapped). The steps follow the values asked for, so the morph
// runs the same steps to the exact target as on a window that answers at once.
class LateWindow final : public AnimationTarget {
public:
    explicit LateWindow(Geometry at) : shown_(at) {}
    bool Alive() const override { return true; }
    int Get(Axis axis) const override { return shown_[axis]; }
    int Set(Axis axis, const Geometry& requested) override {
        asked.push_back(requested);
        // The manager shows a placement two requests old, and now and then 0, 0.
        shown_ = asked.size() > 2 ? asked[asked.size() - 3] : asked.front();
        if (asked.size() % 5 == 0) shown_[Axis::Left] = shown_[Axis::Top] = 0;
        return requested[axis];
    }
    std::vector<Geometry> asked;

private:
    Geometry shown_;
};

TEST_F(Animation, StepsFollowTheValuesAskedForNotALateAnswer) {
    Geometry start;
    start[Axis::Width] = 553;
    start[Axis::Height] = 279;
    start[Axis::Left] = 363;
    start[Axis::Top] = 260;
    auto late = std::make_shared<LateWindow>(start);
    auto prompt = control(363, 260, 553, 279);
    engine.Animate(late, {225, 253, 830, 294}, 0.2, "size");
    engine.Animate(prompt, {225, 253, 830, 294}, 0.2, "size2");
    runToEnd();

    std::vector<int> lateWidths, promptWidths;
    for (const Geometry& g : late->asked) lateWidths.push_back(g[Axis::Width]);
    ASSERT_FALSE(late->asked.empty());
    const Geometry& last = late->asked.back();
    EXPECT_EQ(last[Axis::Width], 830);
    EXPECT_EQ(last[Axis::Height], 294);
    EXPECT_EQ(last[Axis::Left], 225);
    EXPECT_EQ(last[Axis::Top], 253);
    EXPECT_TRUE(std::is_sorted(lateWidths.begin(), lateWidths.end())) << "the morph stepped backwards";
    for (const Geometry& g : late->asked) {
        EXPECT_GE(g[Axis::Left], 225) << "the window flew in from the corner";
        EXPECT_GE(g[Axis::Top], 253);
    }
    EXPECT_EQ(prompt->width(), 830);
    EXPECT_EQ(prompt->left(), 225);
    EXPECT_EQ(prompt->sets, static_cast<int>(late->asked.size())) << "the late window took other steps";
}
