// packwell-sync without --check-only: the check, then the run, against a real server folder
// served by nginx on 127.0.0.1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "core/Utf8Path.h"
#include "tests/support/Nginx.h"
#include "tests/support/Program.h"
#include "tests/support/TempDir.h"
#include "tools/packwell-sync/Options.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsSupersetOf;
using ::testing::Not;

struct Outcome {
    int exitCode = -1;
    std::vector<std::string> out;  // time stamps written as "[t] "
    std::string err;
};

class SyncRunCli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::Nginx::Available()) GTEST_SKIP() << "nginx is not installed";
        server_ = std::make_unique<test::Nginx>(tmp_.root() / "www");
        fs::create_directories(game_ / "versions" / "1.12.2");
        fs::create_directories(game_ / "assets");
    }

    // Publishes the mods (name and content) in the manifest and in mods3, and the deletion list.
    void Publish(const std::vector<std::pair<std::string, std::string>>& mods, const std::vector<std::string>& dellist = {}) {
        std::string manifest = "[Update]\nlastversion=9.9\n[modlist]\nCount=" + std::to_string(mods.size()) + "\n";
        for (std::size_t i = 0; i < mods.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            manifest += "mod" + n + "=" + mods[i].first + "\nmod" + n + "size=" + std::to_string(mods[i].second.size()) + "\n";
            tmp_.write("www/mods3/" + mods[i].first, mods[i].second);
        }
        manifest += "[dellist]\nCount=" + std::to_string(dellist.size()) + "\n";
        for (std::size_t i = 0; i < dellist.size(); ++i) manifest += "mod" + std::to_string(i + 1) + "=" + dellist[i] + "\n";
        tmp_.write("www/Update", manifest);
    }

    Outcome Run(const std::string& option) {
        std::vector<std::string> args;
        if (!option.empty()) args.push_back(option);
        for (const std::string& a : {std::string("--server"), server_->url(""), std::string("--game-dir"), Utf8FromPath(game_)})
            args.push_back(a);
        const test::ProgramOutput output = test::RunProgram(PACKWELL_SYNC_BINARY, args, tmp_.root());
        Outcome o;
        o.exitCode = output.exitCode.value_or(-1);
        // The locale's long time on Windows: an English one adds AM or PM.
        static const std::regex stamp(R"(^\[\d{1,2}:\d{2}:\d{2}(?: [AP]M)?\] )");
        const std::string& text = output.out;
        for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
            end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            // Windows text output ends lines with CR LF.
            const std::size_t length = end > start && text[end - 1] == '\r' ? end - start - 1 : end - start;
            o.out.push_back(std::regex_replace(text.substr(start, length), stamp, "[t] "));
        }
        o.err = output.err;
        return o;
    }

    fs::path VersionMods() const { return game_ / "mods" / "1.12.2"; }

    test::TempDir tmp_;
    fs::path game_ = tmp_.root() / "game";
    std::unique_ptr<test::Nginx> server_;
};

TEST_F(SyncRunCli, SequentialRunBringsTheFolderInStep) {
    Publish({{"a.jar", "in place"}, {"b.jar", std::string(1024, 'b')}, {"c.jar", std::string(1024, 'c')}});
    tmp_.write("game/mods/1.12.2/a.jar", "in place");
    tmp_.write("game/mods/b.jar", std::string(1024, 'b'));  // moved in by the check

    Outcome run = Run("--no-turbo");

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, IsSupersetOf({"============Загрузка============", "[t] Успешно: c.jar",
                                       "======Завершение загрузки=======", "Объем загруженых файлов(1 из 1): 1 Кб"}));
    EXPECT_EQ(test::readFile(VersionMods() / "c.jar"), std::string(1024, 'c'));
    EXPECT_THAT(run.out, Not(Contains(HasSubstr("! Не все файлы"))));

    // In step now: a second run finds nothing missing and has nothing to do.
    run = Run("--no-turbo");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.out, Not(Contains("============Загрузка============")));
}

TEST_F(SyncRunCli, TurboRunBringsTheFolderInStepWithoutReusingStrayCopies) {
    std::vector<std::pair<std::string, std::string>> mods;
    for (int i = 1; i <= 7; ++i) mods.push_back({"m" + std::to_string(i) + ".jar", std::string(4096 * i, 'a' + i)});
    Publish(mods);

    const Outcome run = Run("--turbo");

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, Contains("Объем загруженых файлов(7 из 7): 112 Кб"));
    for (const auto& [name, content] : mods) {
        EXPECT_TRUE(test::readFile(VersionMods() / name) == content) << name;
        EXPECT_THAT(run.out, Contains("[t] Успешно: " + name));
    }
    EXPECT_THAT(test::listDir(VersionMods()).size(), 7u) << "no part file may stay behind";
}

TEST_F(SyncRunCli, SavedTurboSettingChoosesTheKindOfRun) {
    Publish({{"a.jar", "from the server"}});
    tmp_.write("appdata/Quorvane/Packwell/Settings.ini", "[Settings]\nTurbo=0\n");
    // The check moves a stray copy in before the run could reuse it; one that is damaged stays
    // listed as missing while a fresh copy lies in the plain mods folder.
    tmp_.write("game/mods/1.12.2/a.jar", "404: Not Found");
    tmp_.write("game/mods/a.jar", "stray copy");

    const Outcome run = Run("");

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, Contains("[t] Уже существует: a.jar"));  // only the sequential run reuses
}

TEST_F(SyncRunCli, FileMissingOnTheServerLeavesExitCodeOne) {
    Publish({{"a.jar", "a"}, {"gone.jar", "g"}});
    fs::remove(tmp_.root() / "www/mods3/gone.jar");

    const Outcome run = Run("--turbo");

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.out, IsSupersetOf({"[t]  ! Ошибка загрузки: gone.jar", "! Не все файлы были загружены !"}));
    EXPECT_THAT(run.err, HasSubstr("gone.jar"));
}

TEST_F(SyncRunCli, CleanDeletesOnlyListedFilesTheWhiteListDoesNotKeep) {
    Publish({{"a.jar", "a"}}, {"old.jar", "kept.jar", "absent.jar"});
    tmp_.write("game/mods/1.12.2/a.jar", "a");
    tmp_.write("game/mods/1.12.2/old.jar", "old");
    tmp_.write("game/mods/1.12.2/kept.jar", "kept");
    tmp_.write("game/mods/1.12.2/unlisted.jar", "mine");
    tmp_.write("appdata/Quorvane/Packwell/Settings.ini", "[Settings]\nWhiteList=kept.jar\n");

    Outcome run = Run("");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.err, HasSubstr("Можно удалить файлов: 2"));
    EXPECT_THAT(test::listDir(VersionMods()), ElementsAre("a.jar", "kept.jar", "old.jar", "unlisted.jar"));

    run = Run("--clean");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, IsSupersetOf({"======Удаление лишних модов=====", "Удален мод: old.jar"}));
    EXPECT_THAT(run.err, HasSubstr("kept.jar"));
    EXPECT_THAT(test::listDir(VersionMods()), ElementsAre("a.jar", "kept.jar", "unlisted.jar"));
}

// A name in both lists is deleted by the cleanup after the run: the folder is then short of
// a listed mod, whatever the run itself achieved.
// A name in both lists is a mod of the pack: the cleanup keeps it (deleting it only had every
// run fetch it again), in any letter case, and the folder is in step.
TEST_F(SyncRunCli, CleanNeverDeletesAListedMod) {
    Publish({{"a.jar", "a"}, {"b.jar", "b"}}, {"b.jar", "A.JAR"});
    tmp_.write("game/mods/1.12.2/a.jar", "a");
    tmp_.write("game/mods/1.12.2/b.jar", "b");

    const Outcome run = Run("--clean");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, Contains(" ! Оставлен, это мод из списка сервера: b.jar"));
    EXPECT_THAT(run.out, Not(Contains("Удален мод: b.jar")));
    EXPECT_THAT(test::listDir(VersionMods()), ElementsAre("a.jar", "b.jar"));
}

TEST(SyncRunArguments, RunOptionsAreParsedAndRefusedWithCheckOnly) {
    using cli::ParseArguments;
    using Kind = cli::ParsedArguments::Kind;
    EXPECT_EQ(ParseArguments({}).options.mode, cli::RunMode::Sync);
    EXPECT_FALSE(ParseArguments({}).options.turbo.has_value());
    EXPECT_EQ(ParseArguments({"--turbo"}).options.turbo, true);
    EXPECT_EQ(ParseArguments({"--no-turbo", "--clean"}).options.turbo, false);
    EXPECT_TRUE(ParseArguments({"--clean"}).options.clean);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--turbo", "--no-turbo"}, {"--clean", "--clean"}, {"--check-only", "--turbo"}, {"--clean", "--check-only"},
             {"--turbo=1"}})
        EXPECT_EQ(ParseArguments(bad).kind, Kind::Error) << ::testing::PrintToString(bad);
}

}  // namespace
}  // namespace packwell
