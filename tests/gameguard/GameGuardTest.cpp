#include "core/gamefolder/GameGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using packwell::GameGuard;
using packwell::GameGuardPlatform;
using packwell::GameGuardWindow;
using packwell::GuardResult;

namespace {

// Records every step the guard takes, in order.
struct Script {
    std::vector<std::string> calls;
    std::vector<std::optional<platform::GameWindow>> windows;  // answers to successive searches
    bool processRunning = true;
    std::function<void()> duringWarning;

    GameGuardPlatform platform() {
        return {
            [this]() -> std::optional<platform::GameWindow> {
                calls.push_back("find");
                if (windows.empty()) return std::nullopt;
                auto w = windows.front();
                if (windows.size() > 1) windows.erase(windows.begin());
                return w;
            },
            [this] {
                calls.push_back("process");
                return processRunning;
            },
            [this](const platform::GameWindow& w) { calls.push_back("close " + std::to_string(w.Id)); },
            [this](const platform::GameWindow& w) { calls.push_back("end " + std::to_string(w.OwnerPid)); },
        };
    }
    GameGuardWindow window() {
        return {[this] { calls.push_back("pause"); },
                [this] {
                    calls.push_back("warn");
                    if (duringWarning) duringWarning();
                },
                [this] { calls.push_back("resume"); }};
    }
};

using Calls = std::vector<std::string>;

}  // namespace

TEST(GameGuard, WarnsThenClosesAndEndsTheWindowsOwnerWithTheTimerPaused) {
    Script s;
    s.windows = {platform::GameWindow{42, 4242}};
    GameGuard guard(s.platform(), s.window());
    EXPECT_EQ(guard.Check(), GuardResult::GameStopped);
    EXPECT_EQ(s.calls, (Calls{"find", "process", "pause", "warn", "find", "close 42", "end 4242", "resume"}));
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
}

TEST(GameGuard, TextsAndNames) {
    EXPECT_EQ(packwell::GameWindowTitle(), "Minecraft 1.12.2");
    EXPECT_STREQ(packwell::kGameWarningCaption, "Предупреждение");
    EXPECT_EQ(std::string(packwell::kGameWarningText),
              "Пожалуйста не запускайте игру\r\nкогда открыт Packwell Brenvik.\r\nЭто может привести к "
              "непоправимым ошибкам!\r\n\r\nСохраните все данные в игре и закройте её, т.к.\r\nпосле нажатия "
              "\"ОК\" она будет закрыта автоматически!");
}
