// The guard against a real window on the Wine desktop: a stand-in game in a child process.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "core/Utf8Path.h"
#include "core/gamefolder/GameGuard.h"
#include "tests/gameguard/GuardCounts.h"
#include "platform/EndProcess.h"
#include "platform/GameWindow.h"
#include "tests/support/TempDir.h"
#include "tests/support/win32/ChildProcess.h"
#include "tests/support/win32/ScopedRegistryValue.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

using Child = packwell::test::ChildProcess;
using packwell::test::NullGraphicsDriver;

class GameOnDesktop : public ::testing::Test {
protected:
    static void SetUpTestSuite() { driver_ = std::make_unique<NullGraphicsDriver>(); }
    static void TearDownTestSuite() { driver_.reset(); }

    // The fake game, copied into a folder of its own so that its process is named javaw.exe.
    std::unique_ptr<Child> startGame(const std::string& folder, const std::string& windowClass,
                                     const std::string& title, const std::wstring& extra = {}) {
        const fs::path dir = temp.root() / folder;
        fs::create_directories(dir);
        const fs::path program = dir / packwell::kGameProcessName;
        fs::copy_file(PACKWELL_FAKEGAME, program);
        const std::wstring quotedTitle = L"\"" + packwell::PathFromUtf8(title).native() + L"\"";
        return std::make_unique<Child>(program, packwell::PathFromUtf8(windowClass).native() + L" " + quotedTitle +
                                                    (extra.empty() ? L"" : L" " + extra));
    }

    // Waits (bounded, generously for a loaded machine) until a window of that class and title is on
    // the desktop.
    static std::optional<platform::GameWindow> waitForWindow(const std::string& windowClass,
                                                             const std::string& title = packwell::GameWindowTitle()) {
        for (int i = 0; i < 3000; ++i) {
            if (auto w = platform::FindGameWindow(windowClass, title)) return w;
            std::this_thread::sleep_for(10ms);
        }
        return std::nullopt;
    }

    packwell::test::TempDir temp;
    static std::unique_ptr<NullGraphicsDriver> driver_;
};

std::unique_ptr<NullGraphicsDriver> GameOnDesktop::driver_;

using Counts = packwell::test::GuardCounts;

// The guard finds the window, asks it to close, and ends the window's own process only: another
// javaw.exe (no game window of its own) survives.
TEST_F(GameOnDesktop, GameIsWarnedAboutOnceAndEndedWhileAnotherJavaSurvives) {
    const fs::path log = temp.root() / "game.log";
    auto bystander = startGame("other", "NotTheGame", "Java");
    auto game = startGame("game", packwell::kGameWindowClass, packwell::GameWindowTitle(),
                          L"--ignore-close --log \"" + log.native() + L"\"");
    ASSERT_TRUE(waitForWindow("NotTheGame", "Java"));
    auto found = waitForWindow(packwell::kGameWindowClass);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->OwnerPid, game->pid());

    Counts counts;
    packwell::GameGuard guard(packwell::GameGuardPlatform::System(), counts.window());
    EXPECT_EQ(guard.Check(), packwell::GuardResult::GameStopped);
    counts.ExpectWarnedOnce();
    EXPECT_TRUE(game->waitForExit(10s)) << "the game's process was not ended";
    EXPECT_EQ(packwell::test::readFile(log), "close\n") << "the window was not asked to close first";
    EXPECT_TRUE(bystander->running()) << "another program of the same name was ended";

    guard.WaitForEnding();
    EXPECT_EQ(guard.Check(), packwell::GuardResult::NoGame);
    EXPECT_EQ(counts.warnings, 1);
}

TEST_F(GameOnDesktop, WindowOfAnotherClassOrTitleStartsNothing) {
    auto other = startGame("other", "NotTheGame", packwell::GameWindowTitle());
    auto longer = startGame("longer", packwell::kGameWindowClass, "Minecraft 1.12.2 - Multiplayer");
    ASSERT_TRUE(waitForWindow("NotTheGame"));
    ASSERT_TRUE(waitForWindow(packwell::kGameWindowClass, "Minecraft 1.12.2 - Multiplayer"));
    EXPECT_FALSE(platform::FindGameWindow(packwell::kGameWindowClass, "Minecraft 1.12"));
    Counts counts;
    packwell::GameGuard guard(packwell::GameGuardPlatform::System(), counts.window());
    EXPECT_EQ(guard.Check(), packwell::GuardResult::NoGame);
    EXPECT_EQ(counts.warnings + counts.pauses + counts.resumes, 0);
    EXPECT_TRUE(other->running());
    EXPECT_TRUE(longer->running());
}

TEST_F(GameOnDesktop, AGameThatHonoursTheCloseRequestIsNotKilled) {
    auto game = startGame("game", packwell::kGameWindowClass, packwell::GameWindowTitle());
    ASSERT_TRUE(waitForWindow(packwell::kGameWindowClass));
    Counts counts;
    packwell::GameGuard guard(packwell::GameGuardPlatform::System(), counts.window());
    EXPECT_EQ(guard.Check(), packwell::GuardResult::GameStopped);
    EXPECT_EQ(game->waitForExit(5s), std::optional<DWORD>(0)) << "it was terminated";
}

// Windows has no request to end that a process answers: after the grace it is terminated.
TEST_F(GameOnDesktop, AGameDeafToTheCloseRequestIsTerminatedAfterTheGrace) {
    auto game = startGame("game", packwell::kGameWindowClass, packwell::GameWindowTitle(), L"--ignore-close");
    auto found = waitForWindow(packwell::kGameWindowClass);
    ASSERT_TRUE(found);
    EXPECT_TRUE(platform::AskWindowToClose(found->Id));
    EXPECT_FALSE(platform::WaitForProcessEnd(game->pid(), 100ms));
    EXPECT_TRUE(platform::ProcessAlive(game->pid()));
    EXPECT_TRUE(platform::EndProcess(game->pid(), 300ms));
    EXPECT_EQ(game->waitForExit(2s), std::optional<DWORD>(1));
    EXPECT_FALSE(platform::ProcessAlive(game->pid()));
}

}  // namespace
