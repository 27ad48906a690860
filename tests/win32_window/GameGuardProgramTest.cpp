// Packwell.exe on a valid game folder while the game runs: the player is warned once, and after
// OK the game, and only the game, ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "core/Utf8Path.h"
#include "core/gamefolder/GameGuard.h"
#include "tests/support/TempDir.h"
#include "tests/support/win32/ChildProcess.h"
#include "tests/support/win32/OtherWindows.h"
#include "tests/support/win32/ScopedRegistryValue.h"
#include "ui/win32/MainWindow.h"

namespace {

using namespace packwell;
using namespace std::chrono_literals;
using test::Eventually;
namespace fs = std::filesystem;

// The warning boxes on the desktop: dialogs of the standard class under the warning's caption.
std::vector<HWND> WarningBoxes() {
    std::vector<HWND> found;
    const std::wstring caption = PathFromUtf8(kGameWarningCaption).wstring();
    for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", caption.c_str()));) found.push_back(box);
    return found;
}

std::wstring BoxText(HWND box) {
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);  // the static text of a message box
    return text;
}

class GameGuardProgram : public ::testing::Test {
protected:
    static void SetUpTestSuite() { driver_ = std::make_unique<test::NullGraphicsDriver>(); }
    static void TearDownTestSuite() { driver_.reset(); }
    void TearDown() override {
        for (HWND box : WarningBoxes()) SendMessageW(box, WM_COMMAND, IDOK, 0);
        if (HWND window = FindWindowW(win32::kMainWindowClass, nullptr)) PostMessageW(window, WM_CLOSE, 0, 0);
    }

    // The fake game, copied into a folder of its own so that its process has the game's name.
    std::unique_ptr<test::ChildProcess> StartGame(const std::string& folder, const std::wstring& arguments) {
        const fs::path dir = temp.root() / folder;
        fs::create_directories(dir);
        fs::copy_file(PACKWELL_FAKEGAME, dir / kGameProcessName);
        return std::make_unique<test::ChildProcess>(dir / kGameProcessName, arguments);
    }

    test::TempDir temp;  // the program's APPDATA
    static std::unique_ptr<test::NullGraphicsDriver> driver_;
};

std::unique_ptr<test::NullGraphicsDriver> GameGuardProgram::driver_;

TEST_F(GameGuardProgram, WarnsOnceThenEndsOnlyTheGame) {
    const fs::path game = temp.root() / "game";
    for (const char* sub : {"versions/1.12.2", "assets", "mods/1.12.2"}) fs::create_directories(game / sub);
    temp.write("appdata/Quorvane/Packwell/Settings.ini", "[Settings]\r\nGameFolder=" + Utf8FromPath(game) + "\r\n");

    // A game deaf to the close request stays on its way out for the whole grace, while the
    // window goes on validating its folder.
    const fs::path closeLog = temp.root() / "close.log";
    auto bystander = StartGame("other", L"NotTheGame Java");
    auto fakeGame = StartGame("game", PathFromUtf8(kGameWindowClass).wstring() + L" \"" +
                                          PathFromUtf8(GameWindowTitle()).wstring() + L"\" --ignore-close --log \"" +
                                          closeLog.native() + L"\"");
    ASSERT_TRUE(Eventually([] {
        return FindWindowW(PathFromUtf8(kGameWindowClass).c_str(), PathFromUtf8(GameWindowTitle()).c_str()) &&
               FindWindowW(L"NotTheGame", L"Java");
    }));

    test::ChildProcess program(PACKWELL_TEST_EXE, L"");
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(Eventually([] { return !WarningBoxes().empty(); })) << "no warning while the game runs";
    const std::vector<HWND> boxes = WarningBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(BoxText(boxes[0]), PathFromUtf8(kGameWarningText).wstring());
    EXPECT_EQ(GetWindow(boxes[0], GW_OWNER), FindWindowW(win32::kMainWindowClass, nullptr));
    EXPECT_TRUE(fakeGame->running()) << "the game was touched before the player's OK";
    EXPECT_TRUE(test::readFile(closeLog).empty());

    SendMessageW(boxes[0], WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Eventually([&] { return !IsWindow(boxes[0]); })) << "OK did not close the box";
    // While the game is on its way out no second warning comes.
    bool secondBox = false;
    const bool ended = Eventually([&] {
        secondBox = secondBox || !WarningBoxes().empty();
        return !fakeGame->running();
    });
    EXPECT_TRUE(ended) << "the game's process was not ended";
    EXPECT_FALSE(secondBox) << "warned again about the game on its way out";
    EXPECT_EQ(test::readFile(closeLog), "close\n") << "the game was not asked to close first";
    EXPECT_TRUE(bystander->running()) << "another program of the game's name was ended";
    EXPECT_TRUE(program.running());
}

}  // namespace
