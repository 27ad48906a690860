#include "core/gamefolder/GameGuard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

using packwell::GameGuard;
using packwell::GameGuardPlatform;
using packwell::GameGuardWindow;
using packwell::GuardResult;

namespace {

// Records every step the guard takes, in order; the ending runs on the guard's own thread.
struct Script {
    std::vector<std::string> calls;
    std::mutex mutex;
    std::vector<std::optional<platform::GameWindow>> windows;  // answers to successive searches
    bool processRunning = true;
    std::function<void()> duringWarning;
    // While set, the game's owner takes until it is fulfilled to end (bounded, so that a guard
    // that waited for it on the caller's thread fails instead of hanging).
    std::optional<std::shared_future<void>> slowEnding;

    void record(std::string call) {
        std::lock_guard lock(mutex);
        calls.push_back(std::move(call));
    }
    std::vector<std::string> recorded() {
        std::lock_guard lock(mutex);
        return calls;
    }

    GameGuardPlatform platform() {
        return {
            [this]() -> std::optional<platform::GameWindow> {
                record("find");
                if (windows.empty()) return std::nullopt;
                auto w = windows.front();
                if (windows.size() > 1) windows.erase(windows.begin());
                return w;
            },
            [this] {
                record("process");
                return processRunning;
            },
            [this](const platform::GameWindow& w) { record("close " + std::to_string(w.Id)); },
            [this](const platform::GameWindow& w) {
                if (slowEnding) slowEnding->wait_for(std::chrono::seconds(10));
                record("end " + std::to_string(w.OwnerPid));
            },
        };
    }
    GameGuardWindow window() {
        return {[this] { record("pause"); },
                [this] {
                    record("warn");
                    if (duringWarning) duringWarning();
                },
                [this] { record("resume"); }};
    }
};

using Calls = std::vector<std::string>;

}  // namespace

TEST(GameGuard, WarnsThenClosesAndEndsTheWindowsOwnerWithTheTimerPaused) {
    Script s;
    s.windows = {platform::GameWindow{42, 4242}};
    GameGuard guard(s.platform(), s.window());
    EXPECT_EQ(guard.Check(), GuardResult::GameStopped);
    guard.WaitForEnding();
    const Calls calls = s.recorded();
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 6), (Calls{"find", "process", "pause", "warn", "find", "close 42"}));
    EXPECT_TRUE(std::is_permutation(calls.begin() + 6, calls.end(), Calls{"end 4242", "resume"}.begin()));
}

// Ending the game takes seconds: the window goes on meanwhile, takes the game on its way out
// for no new one, and a game that survived is warned about again.
TEST(GameGuard, TheGameIsEndedWithoutHoldingTheWindow) {
    Script s;
    s.windows = {platform::GameWindow{42, 4242}};
    std::promise<void> ended;
    s.slowEnding = ended.get_future().share();
    GameGuard guard(s.platform(), s.window());

    EXPECT_EQ(guard.Check(), GuardResult::GameStopped);
    EXPECT_EQ(s.recorded(), (Calls{"find", "process", "pause", "warn", "find", "close 42", "resume"}));
    EXPECT_EQ(guard.Check(), GuardResult::Busy);
    EXPECT_EQ(s.recorded().size(), 7u) << "looked for the game while it was being ended";

    ended.set_value();
    guard.WaitForEnding();
    EXPECT_EQ(s.recorded().back(), "end 4242");
    EXPECT_EQ(guard.Check(), GuardResult::GameStopped);
    guard.WaitForEnding();
    EXPECT_EQ(std::count(s.calls.begin(), s.calls.end(), "warn"), 2);
}

TEST(GameGuard, NeedsBothTheWindowAndTheProcess) {
    Script noWindow;
    GameGuard a(noWindow.platform(), noWindow.window());
    EXPECT_EQ(a.Check(), GuardResult::NoGame);
    EXPECT_EQ(noWindow.calls, (Calls{"find"}));  // no process lookup without a window

    Script noProcess;
    noProcess.windows = {platform::GameWindow{42, 4242}};
    noProcess.processRunning = false;
    GameGuard b(noProcess.platform(), noProcess.window());
    EXPECT_EQ(b.Check(), GuardResult::NoGame);
    EXPECT_EQ(noProcess.calls, (Calls{"find", "process"}));
}

TEST(GameGuard, NoSecondWarningWhileTheBoxIsOpen) {
    Script s;
    s.windows = {platform::GameWindow{42, 4242}};
    GameGuard guard(s.platform(), s.window());
    GuardResult nested = GuardResult::NoGame;
    s.duringWarning = [&] { nested = guard.Check(); };  // a validation run from inside the box
    EXPECT_EQ(guard.Check(), GuardResult::GameStopped);
    EXPECT_EQ(nested, GuardResult::Busy);
    guard.WaitForEnding();
    EXPECT_EQ(std::count(s.calls.begin(), s.calls.end(), "warn"), 1);
}

TEST(GameGuard, GameClosedByThePlayerMeanwhileIsLeftAlone) {
    Script s;
    s.windows = {platform::GameWindow{42, 4242}, std::nullopt};
    GameGuard guard(s.platform(), s.window());
    EXPECT_EQ(guard.Check(), GuardResult::GameLeft);
    EXPECT_EQ(s.calls, (Calls{"find", "process", "pause", "warn", "find", "resume"}));
}

TEST(GameGuard, TimerResumesAndGuardRearmsWhenTheWarningFails) {
    Script s;
    s.windows = {platform::GameWindow{42, 4242}};
    s.duringWarning = [] { throw std::runtime_error("no box"); };
    GameGuard guard(s.platform(), s.window());
    EXPECT_THROW(guard.Check(), std::runtime_error);
    EXPECT_EQ(s.calls.back(), "resume");
    s.duringWarning = nullptr;
    EXPECT_EQ(guard.Check(), GuardResult::GameStopped);  // a survivor is warned about again
    guard.WaitForEnding();
}

TEST(GameGuard, TextsAndNames) {
    EXPECT_EQ(packwell::GameWindowTitle(), "Minecraft 1.12.2");
    EXPECT_STREQ(packwell::kGameWarningCaption, "Предупреждение");
    EXPECT_EQ(std::string(packwell::kGameWarningText),
              "Пожалуйста не запускайте игру\r\nкогда открыт Packwell Brenvik.\r\nЭто может привести к "
              "непоправимым ошибкам!\r\n\r\nСохраните все данные в игре и закройте её, т.к.\r\nпосле нажатия "
              "\"ОК\" она будет закрыта автоматически!");
}
