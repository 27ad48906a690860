#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/Utf8Path.h"
#include "tests/support/Nginx.h"
#include "tests/support/Program.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

using Lines = std::vector<std::string>;

struct ProgramRun {
    int exitCode = -1;
    Lines out;        // standard output, line by line, time prefixes replaced by "[time] "
    std::string err;  // standard error
};

Lines SplitStamped(const std::string& text) {
    // The locale's long time on Windows: an English one adds AM or PM.
    static const std::regex stamp(R"(^\[\d{1,2}:\d{2}:\d{2}(?: [AP]M)?\] )");
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.pop_back();  // Windows text output ends lines with CR LF
        lines.push_back(std::regex_replace(line, stamp, "[time] "));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// The built program, run like a player would from a console; APPDATA and the current folder
// are the test's own (TempDir sets them, the child inherits them).
ProgramRun RunSync(const test::TempDir& tmp, const std::vector<std::string>& args) {
    const test::ProgramOutput output = test::RunProgram(PACKWELL_SYNC_BINARY, args, tmp.root());
    return {output.exitCode.value_or(-1), SplitStamped(output.out), output.err};
}

class SyncCli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::Nginx::Available()) GTEST_SKIP() << "nginx is not installed";
        server_ = std::make_unique<test::Nginx>(tmp_.root() / "www");
    }

    void Publish(const std::string& manifest) { tmp_.write("www/Update", manifest); }
    // A client folder the window would call valid.
    fs::path ValidGame() {
        fs::create_directories(game_ / "versions" / "1.12.2");
        fs::create_directories(game_ / "assets");
        return game_;
    }
    std::vector<std::string> Args(const fs::path& gameDir) const {
        return {"--check-only", "--server", server_->url(""), "--game-dir", Utf8FromPath(gameDir)};
    }

    test::TempDir tmp_;
    fs::path game_ = tmp_.root() / "game";
    std::unique_ptr<test::Nginx> server_;
};

TEST_F(SyncCli, InStepFolderExitsZero) {
    Publish("[modlist]\nCount=1\nmod1=a.jar\nmod1size=3\n");
    tmp_.write("game/mods/1.12.2/a.jar", "jar");

    const ProgramRun run = RunSync(tmp_, Args(ValidGame()));

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, (Lines{"=====Проверка совместимости=====", "[time] Конфиг загружен.",
                              "Всего модов на сервере: 1 шт. (3 Байт)", "======Завершение проверки=======",
                              "Отсутствуют моды: 0 шт. (0 Байт)", "Можно удалить файлов: 0 шт."}));
    EXPECT_EQ(run.err, "");
}

// A folder named in Russian arrives whole: Windows hands the arguments over wide.
TEST_F(SyncCli, GameFolderNamedInRussianIsChecked) {
    Publish("[modlist]\nCount=1\nmod1=Мод.jar\nmod1size=3\n");
    const fs::path game = PathFromUtf8("Игры") / "Minecraft";
    game_ = tmp_.root() / game;
    tmp_.write(game / "mods" / "1.12.2" / PathFromUtf8("Мод.jar"), "jar");

    const ProgramRun run = RunSync(tmp_, Args(ValidGame()));

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
}

TEST_F(SyncCli, FolderWithWorkExitsOneAndPrintsTheFindings) {
    Publish("[modlist]\nCount=2\nmod1=a.jar\nmod1size=3\nmod2=b.jar\nmod2size=1024\n[dellist]\nCount=1\nmod1=old.jar\n");
    tmp_.write("game/mods/a.jar", "jar");  // a stray copy, gathered by the check
    tmp_.write("game/mods/1.12.2/old.jar", "old");

    ProgramRun run = RunSync(tmp_, Args(ValidGame()));

    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, (Lines{"=====Проверка совместимости=====", "[time] Конфиг загружен.",
                              "Всего модов на сервере: 2 шт. (1 Кб)", "* Отсутствует: b.jar",
                              "======Завершение проверки=======", "Отсутствуют моды: 1 шт. (1 Кб)",
                              "Можно удалить файлов: 1 шт."}));
    EXPECT_TRUE(fs::exists(game_ / "mods" / "1.12.2" / "a.jar"));

    // The manifest stays behind like the window's, so the next check clears it first.
    run = RunSync(tmp_, Args(game_));
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_GE(run.out.size(), 2u);
    EXPECT_EQ(run.out[1], "[time] Конфиг очищен.");
}

#ifndef _WIN32
// The player's locale decides the decimal separator, as it does in the window. (Windows takes
// it from the user's Region settings, tested where the size text is made.)
TEST_F(SyncCli, SizesUseTheLocalesDecimalSeparator) {
    Publish("[modlist]\nCount=2\nmod1=a.jar\nmod1size=3891\nmod2=b.jar\nmod2size=1536\n");
    tmp_.write("game/mods/1.12.2/a.jar", "jar");
    const std::vector<std::string> args = Args(ValidGame());
    const std::optional<std::string> oldLcAll = test::GetEnv("LC_ALL");

    struct Case {
        const char* locale;
        Lines expected;
    };
    for (const Case& c : {Case{"ru_RU.UTF-8", {"Всего модов на сервере: 2 шт. (5,3 Кб)", "Отсутствуют моды: 1 шт. (1,5 Кб)"}},
                          Case{"C", {"Всего модов на сервере: 2 шт. (5.3 Кб)", "Отсутствуют моды: 1 шт. (1.5 Кб)"}}}) {
        if (!std::setlocale(LC_NUMERIC, c.locale)) GTEST_SKIP() << c.locale << " is not installed";
        std::setlocale(LC_NUMERIC, "C");
        test::SetEnv("LC_ALL", c.locale);
        const ProgramRun run = RunSync(tmp_, args);
        test::SetEnv("LC_ALL", oldLcAll);

        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_THAT(run.out, ::testing::IsSupersetOf(c.expected)) << c.locale;
    }
}
#endif

TEST_F(SyncCli, InvalidFolderExitsTwoWithTheLabelText) {
    Publish("[modlist]\nCount=0\n");
    ProgramRun run = RunSync(tmp_, Args(tmp_.root() / "nothing-here"));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("Неправильный путь к папке с игрой!"), std::string::npos) << run.err;

    fs::create_directories(game_ / "versions" / "1.7.10");
    fs::create_directories(game_ / "assets");
    run = RunSync(tmp_, Args(game_));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Версия 1.12.2 отсутствует!"), std::string::npos) << run.err;
}

TEST_F(SyncCli, ManifestNotFetchedExitsTwo) {
    const ProgramRun run = RunSync(tmp_, Args(ValidGame()));  // nothing published: nginx answers 404
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, (Lines{"=====Проверка совместимости=====", "[time] Ошибка загрузки конфига."}));
    EXPECT_NE(run.err.find("/Update"), std::string::npos) << run.err;
    // The player's tool gives the reason in Russian, not the transfer library's English.
    EXPECT_NE(run.err.find("сервер ответил кодом 404"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("HTTP"), std::string::npos) << run.err;
}

TEST_F(SyncCli, GameFolderIsDiscoveredLikeTheWindow) {
    Publish("[modlist]\nCount=1\nmod1=a.jar\nmod1size=3\n");
    tmp_.write("game/mods/1.12.2/a.jar", "jar");
    tmp_.write("appdata/Quorvane/Packwell/Settings.ini", "[Settings]\nGameFolder=" + Utf8FromPath(ValidGame()) + "\n");

    const ProgramRun run = RunSync(tmp_, {"--check-only", "--server", server_->url("")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.size(), 6u);
}

// Files the player keeps on the white-list are no work: the cleanup would leave them.
TEST_F(SyncCli, OnlyKeptFilesToDeleteIsInStep) {
    Publish("[modlist]\nCount=1\nmod1=a.jar\nmod1size=3\n[dellist]\nCount=2\nmod1=kept.jar\nmod2=old.jar\n");
    tmp_.write("game/mods/1.12.2/a.jar", "jar");
    tmp_.write("game/mods/1.12.2/kept.jar", "mine");
    tmp_.write("appdata/Quorvane/Packwell/Settings.ini", "[Settings]\nWhiteList=kept.jar/\n");

    EXPECT_EQ(RunSync(tmp_, Args(ValidGame())).exitCode, 0);
    tmp_.write("game/mods/1.12.2/old.jar", "old");
    EXPECT_EQ(RunSync(tmp_, Args(game_)).exitCode, 1);  // one not kept
}

#ifdef _WIN32
// The game holds its jars open: a damaged one cannot be deleted, and the folder is not in step
// until the game lets go, after a check and after a run alike.
TEST_F(SyncCli, DamagedModTheGameHoldsIsReportedAndNotInStep) {
    Publish("[modlist]\nCount=1\nmod1=held.jar\nmod1size=3\n");
    tmp_.write("www/mods3/held.jar", "jar");
    const fs::path held = tmp_.write("game/mods/1.12.2/held.jar", "<html>404: Not Found</html>");
    HANDLE game = CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(game, INVALID_HANDLE_VALUE);

    ProgramRun run = RunSync(tmp_, Args(ValidGame()));
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_THAT(run.out, ::testing::Contains(" ! Файл занят другой программой, закройте игру и проверьте снова: held.jar"));
    run = RunSync(tmp_, {"--server", server_->url(""), "--game-dir", Utf8FromPath(game_)});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_TRUE(fs::exists(held));

    CloseHandle(game);  // the game closed: the next run mends it
    run = RunSync(tmp_, {"--server", server_->url(""), "--game-dir", Utf8FromPath(game_)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::readFile(held), "jar");
}

// In a console of a Russian system (code page 866) the program's Russian reads as Russian: it is
// written wide, which no code page can spoil.
TEST_F(SyncCli, RussianReadsRightInAConsole) {
    Publish("[modlist]\nCount=1\nmod1=a.jar\nmod1size=3\n");
    tmp_.write("game/mods/1.12.2/a.jar", "jar");
    const fs::path game = ValidGame();
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    SetConsoleOutputCP(866);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       &inherit, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(console, INVALID_HANDLE_VALUE);
    std::wstring commandLine = L"packwell-sync.exe";
    for (const auto& a : Args(game)) commandLine += L" \"" + PathFromUtf8(a).wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = console;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(fs::path(PACKWELL_SYNC_BINARY).c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                               nullptr, nullptr, &startup, &info));
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 60000), WAIT_OBJECT_0);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);

    CONSOLE_SCREEN_BUFFER_INFO screen{};
    ASSERT_TRUE(GetConsoleScreenBufferInfo(console, &screen));
    const DWORD cells = static_cast<DWORD>(screen.dwSize.X) * static_cast<DWORD>(screen.dwCursorPosition.Y + 1);
    std::wstring shown(cells, L' ');
    DWORD read = 0;
    ASSERT_TRUE(ReadConsoleOutputCharacterW(console, shown.data(), cells, {0, 0}, &read));
    CloseHandle(console);
    EXPECT_NE(shown.find(L"=====Проверка совместимости====="), std::wstring::npos) << Utf8FromPath(fs::path(shown));
    EXPECT_NE(shown.find(L"Всего модов на сервере: 1 шт."), std::wstring::npos);
}
#endif

TEST(SyncCliArguments, BadArgumentsExitTwoAndHelpExitsZero) {
    test::TempDir tmp;
    ProgramRun run = RunSync(tmp, {"--check-only", "--bogus"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--bogus"), std::string::npos);
    run = RunSync(tmp, {"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(run.out.empty());
}

}  // namespace
}  // namespace packwell
