// Packwell.exe driven as a player drives it, end to end in one process: a Cyrillic user name,
// a server on 127.0.0.1, another program holding a damaged jar open. Start, twenty checks in a
// row, a sequential run, a Turbo run, the cleanup with a kept file, a check after it, closing.
// Each check and run ends threads of the program; a crash at a thread's end shows here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/Utf8Path.h"
#include "core/settings/IniFile.h"
#include "core/settings/Settings.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"
#include "tests/support/win32/ChildProcess.h"
#include "tests/support/win32/OtherWindows.h"
#include "tests/support/win32/ScopedRegistryValue.h"
#include "ui/win32/CleanupDialog.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/WideText.h"

namespace {

using namespace packwell;
using namespace std::chrono_literals;
namespace fs = std::filesystem;
using ::testing::Contains;
using Lines = std::vector<std::string>;
using test::ChildWindow;
using test::ControlWithText;
using test::Eventually;

// The lines a list box of another program shows, time stamps taken off.
Lines ListLines(HWND list) {
    Lines lines;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring line(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        line.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
        std::string text = win32::Utf8FromWide(line);
        if (text.size() > 2 && text[0] == '[' && text.find("] ") != std::string::npos) text.erase(0, text.find("] ") + 2);
        lines.push_back(text);
    }
    return lines;
}

std::size_t Count(const Lines& lines, const std::string& line) {
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

class PlayerWalk : public ::testing::Test {
protected:
    static void SetUpTestSuite() { driver_ = std::make_unique<test::NullGraphicsDriver>(); }
    static void TearDownTestSuite() { driver_.reset(); }

    void SetUp() override {
        ASSERT_FALSE(FindWindowW(win32::kMainWindowClass, nullptr)) << "a Packwell is running already";
        // The player's profile under a Cyrillic name: settings, game and the export all below it.
        const fs::path profile = temp.root() / PathFromUtf8("Пользователи") / PathFromUtf8("Игрок");
        appData = profile / "AppData" / "Roaming";
        game = appData / ".minecraft";
        for (const char* sub : {"versions/1.12.2", "assets", "mods/1.12.2"}) fs::create_directories(game / sub);
        fs::create_directories(appData / "Quorvane" / "Packwell");
        const IniFile settings(appData / "Quorvane" / "Packwell" / "Settings.ini");
        settings.WriteString(settings::kSection, settings::kGameFolder, Utf8FromPath(game));
        settings.WriteBool(settings::kSection, settings::kTurbo, false);
        settings.WriteBool(settings::kSection, settings::kExtraOptions, false);
        SetEnvironmentVariableW(L"APPDATA", appData.c_str());  // TempDir gives the test's own back
        SetEnvironmentVariableW(L"PACKWELL_TEST_BASE_URL", win32::WideFromUtf8(server.url("")).c_str());
    }

    void TearDown() override {
        if (HWND window = FindWindowW(win32::kMainWindowClass, nullptr)) PostMessageW(window, WM_CLOSE, 0, 0);
        if (program) program->waitForExit(30s);
        SetEnvironmentVariableW(L"PACKWELL_TEST_BASE_URL", nullptr);
    }

    void Serve(const std::vector<std::pair<std::string, std::string>>& mods, const std::vector<std::string>& dels) {
        std::string manifest = "[modlist]\r\nCount=" + std::to_string(mods.size()) + "\r\n";
        for (std::size_t i = 0; i < mods.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            manifest += "mod" + n + "=" + mods[i].first + "\r\nmod" + n + "size=" + std::to_string(mods[i].second.size()) + "\r\n";
            server.serve("/mods3/" + mods[i].first, mods[i].second);
        }
        manifest += "[dellist]\r\nCount=" + std::to_string(dels.size()) + "\r\n";
        for (std::size_t i = 0; i < dels.size(); ++i) manifest += "mod" + std::to_string(i + 1) + "=" + dels[i] + "\r\n";
        server.serve("/Update", manifest);
    }

    fs::path Mods() const { return game / "mods" / "1.12.2"; }
    Lines Log() const { return ListLines(log); }

    // Presses a button of the main window and waits until the log holds `closing` once more.
    void Press(const std::wstring& caption, const std::string& closing) {
        const std::size_t before = Count(Log(), closing);
        HWND button = ControlWithText(window, caption);
        ASSERT_TRUE(button) << win32::Utf8FromWide(caption);
        ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(button) && IsWindowEnabled(window); }));
        PostMessageW(button, BM_CLICK, 0, 0);
        ASSERT_TRUE(Eventually([&] { return Count(Log(), closing) > before || !program->running(); }))
            << win32::Utf8FromWide(caption) << " did not end";
        ASSERT_TRUE(program->running()) << "Packwell.exe ended during " << win32::Utf8FromWide(caption);
    }

    void Check() { Press(L"Проверить совместимость", "======Завершение проверки======="); }

    test::TempDir temp;
    test::HttpServer server;
    fs::path appData, game;
    std::unique_ptr<test::ChildProcess> program;
    HWND window = nullptr;
    HWND log = nullptr;
    static std::unique_ptr<test::NullGraphicsDriver> driver_;
};

std::unique_ptr<test::NullGraphicsDriver> PlayerWalk::driver_;

TEST_F(PlayerWalk, StartChecksRunsCleansChecksAgainAndCloses) {
    const std::vector<std::pair<std::string, std::string>> mods = {
        {"jei.jar", "JEI"}, {"Журнал.jar", "journal"}, {"held.jar", "held mod"}, {"baubles.jar", "B"}};
    Serve(mods, {"old.jar", "kept.jar", "JEI.jar"});
    temp.write(fs::relative(Mods() / "old.jar", temp.root()), "old");
    temp.write(fs::relative(Mods() / "kept.jar", temp.root()), "mine");
    temp.write(fs::relative(Mods() / "jei.jar", temp.root()), "JEI");
    // A damaged copy that another program holds open, as the game holds its jars.
    const fs::path held = temp.write(fs::relative(Mods() / "held.jar", temp.root()), "<html>404: Not Found</html>");
    const fs::path holderDir = temp.root() / "holder";
    fs::create_directories(holderDir);
    fs::copy_file(PACKWELL_FAKEGAME, holderDir / "holder.exe");
    auto holder = std::make_unique<test::ChildProcess>(holderDir / "holder.exe",
                                                        L"JarHolder holder --hold \"" + held.wstring() + L"\"");
    ASSERT_TRUE(Eventually([] { return FindWindowW(L"JarHolder", nullptr) != nullptr; }));

    fs::create_directories(temp.root() / "cwd");
    program = std::make_unique<test::ChildProcess>(PACKWELL_TEST_EXE, L"", temp.root() / "cwd");
    ASSERT_TRUE(program->started());
    ASSERT_TRUE(Eventually([&] {
        window = FindWindowW(win32::kMainWindowClass, nullptr);
        return window && IsWindowVisible(window);
    }));
    log = ChildWindow(window, L"ListBox");
    ASSERT_TRUE(log);
    ASSERT_TRUE(Eventually([&] { return Log().size() >= 4; })) << "no welcome in the log";

    // Twenty checks in a row: each ends the check's thread.
    for (int i = 0; i < 20; ++i) ASSERT_NO_FATAL_FAILURE(Check()) << "check " << i + 1;
    Lines lines = Log();
    EXPECT_THAT(lines, Contains(" ! Файл занят другой программой, закройте игру и проверьте снова: held.jar"));
    EXPECT_THAT(lines, Contains(" ! Оставлен, это мод из списка сервера: JEI.jar")) << "Windows opens jei.jar for it";

    // A sequential run fetches what is missing; the dialog then offers the two deletable files.
    ASSERT_NO_FATAL_FAILURE(Press(L"Запуск синхронизации", "======Завершение загрузки======="));
    HWND dialog = nullptr;
    ASSERT_TRUE(Eventually([&] {
        dialog = FindWindowW(win32::kCleanupDialogClass, nullptr);
        return dialog && IsWindowVisible(dialog);
    }));
    HWND list = ChildWindow(dialog, L"ListBox");
    ASSERT_TRUE(list);
    EXPECT_EQ(ListLines(list), (Lines{"old.jar", "kept.jar"}));
    // The player unticks kept.jar, then deletes.
    RECT line{};
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&line));
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(line.left + 5, line.top + 3));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(line.left + 5, line.top + 3));
    PostMessageW(ControlWithText(dialog, L"Удалить"), BM_CLICK, 0, 0);
    ASSERT_TRUE(Eventually([&] { return Count(Log(), "Кол-во удаленных файлов: 1") == 1; }));
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(window) && !IsWindowVisible(dialog); }));
    EXPECT_FALSE(fs::exists(Mods() / "old.jar"));
    EXPECT_TRUE(fs::exists(Mods() / "kept.jar"));
    EXPECT_TRUE(fs::exists(Mods() / "jei.jar"));
    EXPECT_EQ(test::readFile(Mods() / PathFromUtf8("Журнал.jar")), "journal");

    // A Turbo run after the game let go: the held jar is mended five at a time; the dialog comes
    // again for the file the player keeps, which stays.
    holder.reset();
    HWND turbo = ControlWithText(window, L"Турбо");
    ASSERT_TRUE(turbo);
    PostMessageW(turbo, BM_CLICK, 0, 0);
    ASSERT_TRUE(Eventually([&] { return SendMessageW(turbo, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    ASSERT_NO_FATAL_FAILURE(Check());
    ASSERT_NO_FATAL_FAILURE(Press(L"Запуск синхронизации", "======Завершение загрузки======="));
    EXPECT_EQ(test::readFile(held), "held mod");
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(dialog) != FALSE; }));
    EXPECT_EQ(ListLines(list), (Lines{"kept.jar"}));
    PostMessageW(ControlWithText(dialog, L"Удалить"), BM_CLICK, 0, 0);
    ASSERT_TRUE(Eventually([&] { return Count(Log(), "Кол-во удаленных файлов: 0") == 1; }));
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(window) && !IsWindowVisible(dialog); }));
    EXPECT_TRUE(fs::exists(Mods() / "kept.jar"));

    // In step now, and checks after runs end as cleanly as before.
    for (int i = 0; i < 3; ++i) ASSERT_NO_FATAL_FAILURE(Check());
    lines = Log();
    EXPECT_EQ(lines[lines.size() - 2], "Отсутствуют моды: 0 шт. (0 Байт)");
    for (const auto& [name, content] : mods) EXPECT_EQ(test::readFile(Mods() / PathFromUtf8(name)), content) << name;

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program->waitForExit(60s), std::optional<DWORD>(0));
}

}  // namespace
