// The window's Win32 pieces on real windows of this test: the animation engine driven by the
// SetTimer timer, and the layered window's alpha read back through the system.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>

#include "tests/support/win32/ScopedRegistryValue.h"
#include "ui/window/AnimationEngine.h"
#include "ui/win32/LayeredAlpha.h"
#include "ui/win32/Win32AnimationTarget.h"
#include "ui/win32/Win32AnimationTimer.h"

namespace {

using namespace packwell;
using namespace std::chrono_literals;

class WindowPieces : public ::testing::Test {
protected:
    static void SetUpTestSuite() { driver_ = std::make_unique<test::NullGraphicsDriver>(); }
    static void TearDownTestSuite() { driver_.reset(); }

    void SetUp() override {
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(window_);
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
    }

    // Dispatches this thread's messages (the timer's ticks) until the engine is idle; false when
    // it never becomes idle.
    static bool RunUntilIdle(const anim::AnimationEngine& engine) {
        const auto giveUp = std::chrono::steady_clock::now() + 30s;
        while (engine.IsAnimating() && std::chrono::steady_clock::now() < giveUp) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
        return !engine.IsAnimating();
    }

    static RECT Rect(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }

    HWND window_ = nullptr;
    static std::unique_ptr<test::NullGraphicsDriver> driver_;
};

std::unique_ptr<test::NullGraphicsDriver> WindowPieces::driver_;

// The engine and its SetTimer timer on one window; counts the ticks it receives.
struct TimedEngine {
    explicit TimedEngine(HWND window) : timer(window, [this] { ++ticks, engine.Tick(); }), engine(timer) {}
    int ticks = 0;
    anim::Win32AnimationTimer timer;
    anim::AnimationEngine engine;
};

TEST_F(WindowPieces, TimerDrivesATopLevelWindowToItsTargetsInSteps) {
    TimedEngine timed(window_);
    timed.engine.Animate(std::make_shared<anim::Win32AnimationTarget>(window_), {150, 120, 260, 140}, 0.2, "size");
    ASSERT_TRUE(RunUntilIdle(timed.engine));
    const RECT r = Rect(window_);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right - r.left, 260);
    EXPECT_EQ(r.bottom - r.top, 140);
    EXPECT_GT(timed.ticks, 2) << "a 0.2 multiplier reaches its targets in several ticks";
}

// A control is placed in its parent's client area, not on the screen.
TEST_F(WindowPieces, TimerDrivesAChildControlInItsParentsCoordinates) {
    HWND child = CreateWindowExW(0, L"BUTTON", L"Указать", WS_CHILD | WS_VISIBLE, 8, 68, 369, 21, window_, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(child);
    auto target = std::make_shared<anim::Win32AnimationTarget>(child);
    EXPECT_EQ(target->Get(anim::Axis::Left), 8);
    EXPECT_EQ(target->Get(anim::Axis::Top), 68);

    TimedEngine timed(window_);
    timed.engine.Animate(target, {anim::kKeep, 40, 329, anim::kKeep}, 0.2, "CopyTL");
    ASSERT_TRUE(RunUntilIdle(timed.engine));
    RECT r = Rect(child);
    MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 329);
    EXPECT_EQ(r.bottom - r.top, 21);
}

TEST_F(WindowPieces, ADestroyedControlEndsItsRequestAndTheTimer) {
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, window_, nullptr, nullptr, nullptr);
    TimedEngine timed(window_);
    timed.engine.Animate(std::make_shared<anim::Win32AnimationTarget>(child), {anim::kKeep, anim::kKeep, 150, 90},
                         0.001, "size");
    DestroyWindow(child);
    EXPECT_TRUE(RunUntilIdle(timed.engine));
}

// The closing fade's values, read back through the system as another program would.
TEST_F(WindowPieces, AlphaReadsBackAsSet) {
    EXPECT_EQ(win32::WindowAlpha(window_), std::nullopt) << "a window that is not layered has no alpha";
    for (BYTE alpha : {255, 238, 17, 0}) {
        SCOPED_TRACE(alpha);
        ASSERT_TRUE(win32::SetWindowAlpha(window_, alpha));
        EXPECT_EQ(win32::WindowAlpha(window_), std::optional<BYTE>(alpha));
    }
    EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_LAYERED);
}

}  // namespace
