// The native main window in this process, on a game folder of the test's making and a server on
// 127.0.0.1: what its controls show at start-up, for each folder state, during a check and the
// two kinds of run, and while it closes. The decisions behind it are the Qt window's too; here
// the point is that the native controls show them and pass the clicks on.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"
#include "tests/support/win32/ScopedRegistryValue.h"
#include "core/settings/Settings.h"
#include "ui/win32/CleanupDialog.h"
#include "ui/win32/LayeredAlpha.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/NestedLoop.h"
#include "ui/win32/WideText.h"

namespace packwell::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Handles the window's messages until `done` holds or a generous bound passes.
bool PumpUntil(const std::function<bool()>& done, std::chrono::seconds bound = 30s) {
    const auto end = std::chrono::steady_clock::now() + bound;
    while (!done() && std::chrono::steady_clock::now() < end) {
        win32::HandlePendingMessages();
        Sleep(1);
    }
    return done();
}

std::string Text(HWND control) {
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    return win32::Utf8FromWide(text);
}

// The window's outer size; the tests run at 96 dots per inch, where it is the layouts' own.
std::pair<int, int> SizeOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

bool Visible(HWND control) { return IsWindowVisible(control) != FALSE; }

class NativeWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { driver_ = std::make_unique<NullGraphicsDriver>(); }
    static void TearDownTestSuite() { driver_.reset(); }
    void TearDown() override { window.reset(); }

    // The window started on a game folder with `subfolders` and pointed at the test server.
    win32::MainWindow& Start(const std::vector<std::string>& subfolders = {"versions/1.12.2", "assets", "mods/1.12.2"}) {
        game = home.root() / "game";
        for (const std::string& sub : subfolders) fs::create_directories(game / sub);
        fs::create_directories(game);
        home.write("appdata/Quorvane/Packwell/Settings.ini", "[Settings]\r\nGameFolder=" + game.string() + "\r\n");
        win32::WindowServices services = win32::WindowServices::Defaults();
        services.isConnected = [] { return true; };
        services.openProgram = [this](const fs::path& file, const fs::path&) { opened.push_back(file); };
        services.terminate = [this] { terminated = true; };
        services.gamePlatform = {.FindGameWindow = [] { return std::optional<platform::GameWindow>(); },
                                 .GameProcessRunning = [] { return false; },
                                 .AskToClose = [](const platform::GameWindow&) {},
                                 .EndOwner = [](const platform::GameWindow&) {}};
        window = std::make_unique<win32::MainWindow>(std::move(services));
        EXPECT_TRUE(window->Create(GetModuleHandleW(nullptr)));
        window->Show();
        window->BaseUrl = server.url("");
        // Started: the welcome is in the log and the window has reached its layout.
        EXPECT_TRUE(PumpUntil([&] { return LogLines().size() >= 4 && !Animating(); }));
        return *window;
    }

    // Whether the window's size still changes: looked at over several ticks of the animation
    // timer, so that one late tick on a loaded machine does not pass for the end.
    bool Animating() const {
        const auto before = SizeOf(window->Handle());
        for (int look = 0; look < 3; ++look) {
            const auto until = std::chrono::steady_clock::now() + 50ms;
            while (std::chrono::steady_clock::now() < until) {
                win32::HandlePendingMessages();
                Sleep(1);
            }
            if (SizeOf(window->Handle()) != before) return true;
        }
        return false;
    }

    // The lines the log list shows.
    std::vector<std::string> LogLines() const {
        HWND log = window->Controls()->sMemo1;
        std::vector<std::string> lines;
        const auto count = SendMessageW(log, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring line(static_cast<std::size_t>(SendMessageW(log, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            line.resize(static_cast<std::size_t>(SendMessageW(log, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
            lines.push_back(win32::Utf8FromWide(line));
        }
        return lines;
    }

    // The lines shown since `from`, without their time stamps.
    std::vector<std::string> LinesSince(std::size_t from) const {
        std::vector<std::string> lines;
        const auto all = LogLines();
        for (std::size_t i = from; i < all.size(); ++i) {
            const std::string& line = all[i];
            const bool stamped = line.size() > 2 && line[0] == '[' && line.find("] ") != std::string::npos;
            lines.push_back(stamped ? line.substr(line.find("] ") + 2) : line);
        }
        return lines;
    }

    void ServeMods(const std::vector<std::pair<std::string, std::string>>& mods,
                   const std::vector<std::string>& deletable = {}) {
        std::string manifest = "[modlist]\r\nCount=" + std::to_string(mods.size()) + "\r\n";
        for (std::size_t i = 0; i < mods.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            manifest += "mod" + n + "=" + mods[i].first + "\r\nmod" + n + "size=" + std::to_string(mods[i].second.size()) + "\r\n";
            server.serve("/mods3/" + mods[i].first, mods[i].second);
        }
        manifest += "[dellist]\r\nCount=" + std::to_string(deletable.size()) + "\r\n";
        for (std::size_t i = 0; i < deletable.size(); ++i)
            manifest += "mod" + std::to_string(i + 1) + "=" + deletable[i] + "\r\n";
        server.serve("/Update", manifest);
    }

    // Presses "Проверить совместимость" as a click does and waits for the check's end.
    void Check() {
        SendMessageW(window->Controls()->sButtonCheck, BM_CLICK, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return !window->CheckRunning() && IsWindowEnabled(window->Handle()); }));
    }

    fs::path Mods() const { return game / "mods" / "1.12.2"; }

    TempDir home;
    HttpServer server;
    fs::path game;
    std::vector<fs::path> opened;
    bool terminated = false;
    std::unique_ptr<win32::MainWindow> window;
    static std::unique_ptr<NullGraphicsDriver> driver_;
};

std::unique_ptr<NullGraphicsDriver> NativeWindow::driver_;

TEST_F(NativeWindow, StartsInTheActionsLayoutWithTheWelcomeInTheLog) {
    win32::MainWindow& w = Start();
    const win32::MainControls& c = *w.Controls();
    EXPECT_EQ(SizeOf(w.Handle()), std::make_pair(406, 294));
    EXPECT_EQ(LogLines(), w.StatusLog.Lines());
    EXPECT_EQ(LinesSince(0), (std::vector<std::string>{"   Добро пожаловать :)",
                                                       "   Для начала нажмите «Проверить совместимость»,",
                                                       "а затем «Запуск синхронизации», чтобы синхронизировать",
                                                       "ваш клиент Minecraft с сервером Brenvik 1.12.2."}));
    EXPECT_EQ(Text(c.sEdit1), game.string());
    EXPECT_EQ(Text(c.sLabel1), "Правильная директория!");
    EXPECT_TRUE(Visible(c.sGroupBox3));
    EXPECT_TRUE(Visible(c.sTitleItem0));
    EXPECT_FALSE(IsWindowEnabled(c.sButtonDownload)) << "nothing to download before a check";
    EXPECT_FALSE(Visible(c.sGroupBox1));
}

struct FolderCase {
    const char* name;
    std::vector<std::string> subfolders;
    const char* label;
    bool actions;
    int height;
};

class FolderStates : public NativeWindow, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(FolderStates, LabelActionsAndLayoutFollowTheFolder) {
    const FolderCase& state = GetParam();
    win32::MainWindow& w = Start(state.subfolders);
    const win32::MainControls& c = *w.Controls();
    EXPECT_EQ(Text(c.sLabel1), state.label);
    EXPECT_EQ(Visible(c.sGroupBox3), state.actions);
    EXPECT_EQ(IsWindowEnabled(c.sGroupBox3) != FALSE, state.actions);
    EXPECT_EQ(Visible(c.sTitleItem0), state.actions);
    EXPECT_EQ(Visible(c.sTitleItem1), state.actions);
    EXPECT_EQ(SizeOf(w.Handle()), std::make_pair(406, state.height));
}

INSTANTIATE_TEST_SUITE_P(
    Native, FolderStates,
    ::testing::Values(FolderCase{"Valid", {"versions/1.12.2", "assets"}, "Правильная директория!", true, 294},
                      FolderCase{"WrongPath", {"versions/1.12.2"}, "Неправильный путь к папке с игрой!", false, 133},
                      FolderCase{"VersionMissing", {"versions", "assets"}, "Версия 1.12.2 отсутствует!", false, 133}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NativeWindow, ACheckThenASequentialAndATurboRunFetchEveryModAndShowIt) {
    win32::MainWindow& w = Start();
    const win32::MainControls& c = *w.Controls();
    ServeMods({{"a.jar", "AAAA"}, {"b.jar", "BB"}});
    w.Controls()->SetChecked(c.sCheckBox1, false);  // sequential first
    w.Controls()->SetChecked(c.sCheckBox2, false);  // no settings program
    Check();
    ASSERT_TRUE(IsWindowEnabled(c.sButtonDownload)) << "two mods are missing";

    std::size_t before = LogLines().size();
    SendMessageW(c.sButtonDownload, BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return w.Run() && w.Run()->Finished() && IsWindowEnabled(w.Handle()); }));
    auto lines = LinesSince(before);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
              (std::vector<std::string>{" ", "============Загрузка============", "Успешно: a.jar", "Успешно: b.jar"}));
    EXPECT_EQ(readFile(Mods() / "a.jar"), "AAAA");
    EXPECT_EQ(readFile(Mods() / "b.jar"), "BB");
    EXPECT_EQ(SizeOf(w.Handle()).second, 294) << "the bar's layout is gone after the run";

    // The same two again, five at once.
    fs::remove(Mods() / "a.jar");
    fs::remove(Mods() / "b.jar");
    w.Controls()->SetChecked(c.sCheckBox1, true);
    Check();
    before = LogLines().size();
    SendMessageW(c.sButtonDownload, BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return w.Run()->Finished() && IsWindowEnabled(w.Handle()); }));
    lines = LinesSince(before);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Успешно: a.jar"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Успешно: b.jar"), 1);
    EXPECT_EQ(readFile(Mods() / "a.jar"), "AAAA");
    EXPECT_EQ(readFile(Mods() / "b.jar"), "BB");
    EXPECT_EQ(LogLines(), w.StatusLog.Lines()) << "the list shows the log, in its order";
    EXPECT_TRUE(opened.empty());
}

// The place of a window at rest: none of its edges moved for a few animation ticks.
RECT SettledPlace(HWND window) {
    RECT before{}, after{};
    do {
        GetWindowRect(window, &before);
        const auto until = std::chrono::steady_clock::now() + 60ms;
        while (std::chrono::steady_clock::now() < until) {
            win32::HandlePendingMessages();
            Sleep(1);
        }
        GetWindowRect(window, &after);
    } while (!EqualRect(&before, &after));
    return after;
}

TEST_F(NativeWindow, ARunWithFilesToDeleteTurnsIntoTheCleanupDialogAndBack) {
    win32::MainWindow& w = Start();
    const win32::MainControls& c = *w.Controls();
    home.write(fs::relative(Mods() / "old.jar", home.root()), "old");
    home.write(fs::relative(Mods() / "keep.jar", home.root()), "keep");
    ServeMods({{"a.jar", "AAAA"}}, {"keep.jar", "old.jar"});
    w.Controls()->SetChecked(c.sCheckBox2, false);
    Check();
    SendMessageW(c.sButtonDownload, BM_CLICK, 0, 0);

    win32::CleanupDialog& d = *w.Cleanup();
    ASSERT_TRUE(PumpUntil([&] { return Visible(d.Handle()); })) << "the dialog did not come";
    EXPECT_FALSE(Visible(w.Handle()));
    const RECT shown = SettledPlace(d.Handle());
    EXPECT_EQ(shown.right - shown.left, 553);
    EXPECT_EQ(shown.bottom - shown.top, 279);
    EXPECT_TRUE(GetWindowLongW(d.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Text(d.Handle()), "Очистка лишних файлов");
    ASSERT_EQ(d.Items().size(), 2u);
    EXPECT_TRUE(d.Items()[0].ticked && d.Items()[1].ticked) << "ticked unless white-listed";

    // A click on the first line keeps that file.
    RECT line{};
    SendMessageW(d.sCheckListBoxDel, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&line));
    SendMessageW(d.sCheckListBoxDel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(line.left + 5, line.top + 3));
    SendMessageW(d.sCheckListBoxDel, WM_LBUTTONUP, 0, MAKELPARAM(line.left + 5, line.top + 3));
    EXPECT_EQ(d.Items()[0].name, "keep.jar");
    EXPECT_FALSE(d.Items()[0].ticked);
    SendMessageW(d.sButtonDel, BM_CLICK, 0, 0);

    EXPECT_TRUE(fs::exists(Mods() / "keep.jar"));
    EXPECT_FALSE(fs::exists(Mods() / "old.jar"));
    EXPECT_EQ(w.SettingsIni->ReadString(settings::kSection, settings::kWhiteList, ""), "keep.jar/");
    EXPECT_FALSE(Visible(d.Handle()));
    ASSERT_TRUE(Visible(w.Handle()));
    EXPECT_TRUE(Visible(c.sGroupBox1)) << "back with the status panel";
    const RECT back = SettledPlace(w.Handle());
    EXPECT_EQ(back.right - back.left, 830);
    EXPECT_EQ(back.bottom - back.top, 294);
    EXPECT_EQ(LogLines(), w.StatusLog.Lines());
}

TEST_F(NativeWindow, ClosingFadesOutBySeventeenWhileItCollapsesThenEnds) {
    win32::MainWindow& w = Start();
    PostMessageW(w.Handle(), WM_CLOSE, 0, 0);
    std::vector<std::pair<int, int>> seen;  // alpha and height, each change once
    ASSERT_TRUE(PumpUntil([&] {
        const auto alpha = win32::WindowAlpha(w.Handle());
        const int height = SizeOf(w.Handle()).second;
        if (alpha && (seen.empty() || seen.back() != std::make_pair(int{*alpha}, height)))
            seen.emplace_back(*alpha, height);
        return terminated;
    }));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().first, 0);
    bool collapsingWhileVisible = false;
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_LE(seen[i].first, seen[i - 1].first);
        EXPECT_EQ(seen[i].first % 17, 0) << seen[i].first;
        if (seen[i].first > 0 && seen[i].second < 294) collapsingWhileVisible = true;
    }
    EXPECT_TRUE(collapsingWhileVisible) << "the collapse must run while the window fades";
    EXPECT_TRUE(w.Closing());
}

}  // namespace
}  // namespace packwell::test
