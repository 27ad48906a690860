// The guard against a real X server (Xvfb) and real processes named like the game.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>

#include <chrono>
#include <memory>
#include <thread>

#include "TestProcesses.h"
#include "core/gamefolder/GameGuard.h"
#include "tests/gameguard/GuardCounts.h"
#include "platform/EndProcess.h"
#include "platform/GameWindow.h"
#include "tests/support/TempDir.h"

using namespace std::chrono_literals;
using packwell::test::Child;
using packwell::test::CopyAs;

namespace {

class GameOnDisplay : public ::testing::Test {
protected:
    static void SetUpTestSuite() { display_ = std::make_unique<packwell::test::XvfbDisplay>(); }
    static void TearDownTestSuite() { display_.reset(); }

    // The fake game, copied so that its process is named `name`.
    std::unique_ptr<Child> startGame(const std::string& name, const std::string& windowClass,
                                     std::vector<std::string> extra = {}) {
        auto program = CopyAs(PACKWELL_FAKEGAME, temp.root() / ("game-" + windowClass), name);
        std::vector<std::string> argv{program.string(), windowClass, packwell::GameWindowTitle()};
        argv.insert(argv.end(), extra.begin(), extra.end());
        return std::make_unique<Child>(argv);
    }

    // Waits (bounded) until a window of that class and the game's title is on the display.
    static std::optional<platform::GameWindow> waitForWindow(const std::string& windowClass) {
        for (int i = 0; i < 500; ++i) {
            if (auto w = platform::FindGameWindow(windowClass, packwell::GameWindowTitle())) return w;
            std::this_thread::sleep_for(10ms);
        }
        return std::nullopt;
    }

    packwell::test::TempDir temp;
    static std::unique_ptr<packwell::test::XvfbDisplay> display_;
};

std::unique_ptr<packwell::test::XvfbDisplay> GameOnDisplay::display_;

using Counts = packwell::test::GuardCounts;

}  // namespace

TEST_F(GameOnDisplay, GameIsWarnedAboutOnceAndEndedWhileAnotherJavaSurvives) {
    auto log = temp.root() / "game.log";
    Child bystander({CopyAs("/usr/bin/sleep", temp.root() / "other", packwell::kGameProcessName).string(), "60"});
    auto game = startGame(packwell::kGameProcessName, packwell::kGameWindowClass,
                          {"--ignore-close", "--log", log.string()});
    auto found = waitForWindow(packwell::kGameWindowClass);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->OwnerPid, game->pid());

    Counts counts;
    packwell::GameGuard guard(packwell::GameGuardPlatform::System(), counts.window());
    EXPECT_EQ(guard.Check(), packwell::GuardResult::GameStopped);
    counts.ExpectWarnedOnce();
    EXPECT_TRUE(game->waitForExit(5s)) << "the game's process was not ended";
    EXPECT_EQ(packwell::test::readFile(log), "close\n") << "the window was not asked to close first";
    EXPECT_TRUE(bystander.running()) << "another program of the same name was ended";

    guard.WaitForEnding();
    EXPECT_EQ(guard.Check(), packwell::GuardResult::NoGame);
    EXPECT_EQ(counts.warnings, 1);
}

TEST_F(GameOnDisplay, WindowOfAnotherClassStartsNothing) {
    auto game = startGame(packwell::kGameProcessName, "NotTheGame");
    ASSERT_TRUE(waitForWindow("NotTheGame"));
    Counts counts;
    packwell::GameGuard guard(packwell::GameGuardPlatform::System(), counts.window());
    EXPECT_EQ(guard.Check(), packwell::GuardResult::NoGame);
    EXPECT_EQ(counts.warnings + counts.pauses + counts.resumes, 0);
    EXPECT_TRUE(game->running());
}

TEST_F(GameOnDisplay, TitleMustMatchExactly) {
    auto program = CopyAs(PACKWELL_FAKEGAME, temp.root() / "game", packwell::kGameProcessName);
    Child game({program.string(), packwell::kGameWindowClass, "Minecraft 1.12.2 - Multiplayer"});
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(game.running());
    EXPECT_FALSE(platform::FindGameWindow(packwell::kGameWindowClass, "Minecraft 1.12"));
    EXPECT_FALSE(platform::FindGameWindow(packwell::kGameWindowClass, packwell::GameWindowTitle()));
    EXPECT_TRUE(platform::FindGameWindow(packwell::kGameWindowClass, "Minecraft 1.12.2 - Multiplayer"));
}

TEST_F(GameOnDisplay, OwnerIsKnownEvenWhenTheWindowDoesNotNameIt) {
    auto game = startGame(packwell::kGameProcessName, packwell::kGameWindowClass, {"--no-pid"});
    auto found = waitForWindow(packwell::kGameWindowClass);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->OwnerPid, game->pid());
}

TEST_F(GameOnDisplay, AGameThatHonoursTheCloseRequestIsNotKilled) {
    auto game = startGame(packwell::kGameProcessName, packwell::kGameWindowClass, {"--ignore-term"});
    ASSERT_TRUE(waitForWindow(packwell::kGameWindowClass));
    Counts counts;
    packwell::GameGuard guard(packwell::GameGuardPlatform::System(), counts.window());
    EXPECT_EQ(guard.Check(), packwell::GuardResult::GameStopped);
    ASSERT_TRUE(game->waitForExit(5s));
    EXPECT_TRUE(WIFEXITED(game->status()) && WEXITSTATUS(game->status()) == 0) << "it was killed";
}

TEST_F(GameOnDisplay, AGameDeafToTheEndRequestIsForcedAfterTheGrace) {
    auto game = startGame(packwell::kGameProcessName, packwell::kGameWindowClass, {"--ignore-close", "--ignore-term"});
    ASSERT_TRUE(waitForWindow(packwell::kGameWindowClass));
    EXPECT_FALSE(platform::WaitForProcessEnd(game->pid(), 100ms));
    EXPECT_TRUE(platform::EndProcess(game->pid(), 300ms));
    ASSERT_TRUE(game->waitForExit(2s));
    EXPECT_TRUE(WIFSIGNALED(game->status()) && WTERMSIG(game->status()) == SIGKILL);
}

TEST(GameWindowWithoutDisplay, FindsNothing) {
    std::string old = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", ":31999", 1);  // no server there
    EXPECT_FALSE(platform::FindGameWindow(packwell::kGameWindowClass, packwell::GameWindowTitle()));
    EXPECT_FALSE(platform::AskWindowToClose(1));
    if (old.empty()) unsetenv("DISPLAY");
    else setenv("DISPLAY", old.c_str(), 1);
}
