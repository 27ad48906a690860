#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/cleanup/Cleanup.h"
#include "core/cleanup/CleanupGeometry.h"
#include "core/cleanup/WhiteList.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

using Lines = std::vector<std::string>;

class Cleanup : public ::testing::Test {
protected:
    Cleanup() : settings_(tmp_.appData() / "Settings.ini") { fs::create_directories(mods_); }

    fs::path Mod(const std::string& name) { return tmp_.write(fs::relative(mods_ / name, tmp_.root()), "jar"); }
    std::string StoredWhiteList() const { return settings_.ReadString("Settings", "WhiteList", "<absent>"); }
    std::vector<CleanupItem> Fill(const std::vector<std::string>& names) { return FillCleanupList(names, settings_); }
    CleanupResult Delete(const std::vector<CleanupItem>& items, const std::vector<std::string>& listed = {}) {
        return DeleteTickedFiles(items, mods_, listed, settings_, log_);
    }

    test::TempDir tmp_;
    fs::path mods_ = tmp_.root() / "game" / "mods" / "1.12.2";
    IniFile settings_;
    StatusLog log_;
};

std::vector<bool> Ticks(const std::vector<CleanupItem>& items) {
    std::vector<bool> t;
    for (const auto& i : items) t.push_back(i.ticked);
    return t;
}

TEST_F(Cleanup, UntickedFileIsKeptAndTickedOneDeleted) {
    Mod("a.jar");
    Mod("b.jar");
    auto items = Fill({"a.jar", "b.jar"});
    ASSERT_EQ(Ticks(items), (std::vector<bool>{true, true}));

    items[1].ticked = false;
    const CleanupResult r = Delete(items);

    EXPECT_EQ(r.deleted, 1);
    EXPECT_FALSE(fs::exists(mods_ / "a.jar"));
    EXPECT_TRUE(fs::exists(mods_ / "b.jar"));
    EXPECT_EQ(StoredWhiteList(), "b.jar/");
    EXPECT_EQ(log_.Lines(), (Lines{"======Удаление лишних модов=====", "Удален мод: a.jar",
                                   "=======Завершение удаления======", "Кол-во удаленных файлов: 1"}));

    // Next time the kept file starts unticked; ticking it releases and deletes it.
    items = Fill({"a.jar", "b.jar"});
    EXPECT_EQ(Ticks(items), (std::vector<bool>{true, false}));
    items[1].ticked = true;
    EXPECT_EQ(Delete(items).deleted, 1);
    EXPECT_EQ(StoredWhiteList(), "");
    EXPECT_FALSE(fs::exists(mods_ / "b.jar"));
    const Lines after = log_.Lines();
    EXPECT_EQ(after.at(4), " ");  // separator before the second header
    EXPECT_EQ(after.at(5), "======Удаление лишних модов=====");
    EXPECT_EQ(after.at(6), "Ошибка удаления мода: a.jar");  // gone since the first press
}

// What the old program wrote (no "/") is read by occurrence: a.jar counts as kept inside xa.jar.
TEST_F(Cleanup, OldValueReadsByOccurrenceAndKeepingTheLongerNameSavesIt) {
    settings_.WriteString("Settings", "WhiteList", "xa.jar");
    Mod("a.jar");
    Mod("xa.jar");
    auto items = Fill({"a.jar", "xa.jar"});
    EXPECT_EQ(Ticks(items), (std::vector<bool>{false, false}));

    items[0].ticked = true;
    Delete(items);
    EXPECT_EQ(StoredWhiteList(), "xa.jar/");  // not cut down to "x"
    EXPECT_TRUE(fs::exists(mods_ / "xa.jar"));

    // Keeping a.jar while releasing xa.jar keeps a.jar.
    Mod("a.jar");
    items = Fill({"a.jar", "xa.jar"});
    items[0].ticked = false;
    items[1].ticked = true;
    Delete(items);
    EXPECT_EQ(StoredWhiteList(), "a.jar/");
    EXPECT_EQ(Ticks(Fill({"a.jar", "xa.jar"})), (std::vector<bool>{false, true}));
}

// No file counts as kept unless the player kept it: keeping xa.jar keeps neither a.jar nor
// a.ja, and "Удалить" with the list's own ticks (as --clean presses it) stores nothing more.
TEST_F(Cleanup, KeptNameDoesNotKeepTheNamesInsideIt) {
    Mod("xa.jar");
    Delete({{"xa.jar", false}});
    Mod("a.jar");
    const auto items = Fill({"a.jar", "a.ja", "xa.jar"});
    EXPECT_EQ(Ticks(items), (std::vector<bool>{true, true, false}));
    Delete(items);
    EXPECT_FALSE(fs::exists(mods_ / "a.jar"));
    EXPECT_TRUE(fs::exists(mods_ / "xa.jar"));
    EXPECT_EQ(StoredWhiteList(), "xa.jar/");
}

TEST_F(Cleanup, NameListedTwiceIsReleasedCompletely) {
    settings_.WriteString("Settings", "WhiteList", "a.jar/b.jar/a.jar/");
    Mod("a.jar");
    Delete({{"a.jar", true}});
    EXPECT_EQ(StoredWhiteList(), "b.jar/");
}

TEST_F(Cleanup, OldRunTogetherValueStillReadsBySubstring) {
    settings_.WriteString("Settings", "WhiteList", "a.jarb.jar");
    EXPECT_EQ(Ticks(Fill({"a.jar", "b.jar", "jarb.jar", "c.jar"})), (std::vector<bool>{false, false, false, true}));
}

// An old run-together value at the next "Удалить": ticked names are cut out of it wherever
// they occur, kept ones become exact entries, and what no decision touched keeps the old rule.
struct OldValueCase {
    const char* what;
    const char* before;
    std::vector<CleanupItem> items;
    const char* after;
    std::vector<std::string> kept;      // count as kept afterwards
    std::vector<std::string> released;  // no longer count as kept
};

TEST_F(Cleanup, OldRunTogetherValueIsReleasedByOccurrenceAndWrittenExact) {
    const OldValueCase cases[] = {
        {"ticked name leaves the other", "a.jarb.jar", {{"a.jar", true}}, ":b.jar/", {"b.jar"}, {"a.jar"}},
        {"name held twice goes completely", "a.jara.jar", {{"a.jar", true}}, "", {}, {"a.jar"}},
        {"every name decided: exact form", "a.jarb.jar", {{"a.jar", true}, {"b.jar", false}}, "b.jar/", {"b.jar"},
         {"a.jar"}},
        {"all kept: exact form", "a.jarb.jar", {{"a.jar", false}, {"b.jar", false}}, "a.jar/b.jar/",
         {"a.jar", "b.jar"}, {"jarb.jar"}},
        {"undecided names keep the old rule", "a.jarc.jard.jar", {{"a.jar", true}}, ":c.jard.jar/",
         {"c.jar", "d.jar"}, {"a.jar"}},
        {"a cut that joins is cut too", "a.ja" "a.jar" "r", {{"a.jar", true}}, "", {}, {"a.jar", "a.ja"}},
    };
    for (const auto& c : cases) {
        settings_.WriteString("Settings", "WhiteList", c.before);
        Delete(c.items);
        EXPECT_EQ(StoredWhiteList(), c.after) << c.what;
        const WhiteList stored(StoredWhiteList());
        for (const auto& name : c.kept) EXPECT_TRUE(stored.Contains(name)) << c.what << ": " << name;
        for (const auto& name : c.released) EXPECT_FALSE(stored.Contains(name)) << c.what << ": " << name;
    }
}

TEST_F(Cleanup, NothingTickedDeletesNothing) {
    Mod("a.jar");
    const CleanupResult r = Delete({{"a.jar", false}});
    EXPECT_EQ(r.deleted, 0);
    EXPECT_TRUE(fs::exists(mods_ / "a.jar"));
    EXPECT_EQ(log_.Lines(), (Lines{"======Удаление лишних модов=====", "Кол-во удаленных файлов: 0"}));
    EXPECT_EQ(StoredWhiteList(), "a.jar/");
}

TEST_F(Cleanup, FailedDeletionIsLoggedNotCountedAndTheRestGoesOn) {
    Mod("a.jar");
    fs::create_directories(mods_ / "dir.jar");
    const fs::path outside = tmp_.write("game/mods/outside.jar", "keep me");
    const CleanupResult r = Delete({{"gone.jar", true}, {"dir.jar", true}, {"../outside.jar", true}, {"a.jar", true}});

    EXPECT_EQ(r.deleted, 1);
    EXPECT_EQ(r.failed, 3);
    EXPECT_EQ(StoredWhiteList(), "");  // written although deletions failed
    EXPECT_TRUE(fs::exists(outside));
    EXPECT_TRUE(fs::is_directory(mods_ / "dir.jar"));
    EXPECT_EQ(log_.Lines(), (Lines{"======Удаление лишних модов=====", "Ошибка удаления мода: gone.jar",
                                   "Ошибка удаления мода: dir.jar", "Ошибка удаления мода: ../outside.jar",
                                   "Удален мод: a.jar", "=======Завершение удаления======",
                                   "Кол-во удаленных файлов: 1"}));
}

// Windows opens "JEI.jar" for "jei.jar", and any system opens a hard link's file: a ticked name
// that reaches a listed mod, or that Windows would take for one, never deletes it.
TEST_F(Cleanup, ATickedNameThatIsAListedModUnderAnotherNameKeepsIt) {
    Mod("jei.jar");
    Mod("real.jar");
    Mod("Журнал.jar");
    fs::create_hard_link(mods_ / "real.jar", mods_ / "link.jar");
    Mod("old.jar");
    const CleanupResult r = Delete({{"JEI.jar", true}, {"link.jar", true}, {"жУРНАЛ.JAR", true}, {"old.jar", true}},
                                   {"jei.jar", "real.jar", "Журнал.jar"});

    EXPECT_EQ(r.deleted, 1);
    EXPECT_EQ(r.listed, 3);
    EXPECT_EQ(r.failed, 0);
    for (const char* kept : {"jei.jar", "real.jar", "link.jar", "Журнал.jar"}) EXPECT_TRUE(fs::exists(mods_ / kept)) << kept;
    EXPECT_FALSE(fs::exists(mods_ / "old.jar"));
    EXPECT_EQ(log_.Lines(), (Lines{"======Удаление лишних модов=====",
                                   " ! Оставлен, это мод из списка сервера: JEI.jar",
                                   " ! Оставлен, это мод из списка сервера: link.jar",
                                   " ! Оставлен, это мод из списка сервера: жУРНАЛ.JAR", "Удален мод: old.jar",
                                   "=======Завершение удаления======", "Кол-во удаленных файлов: 1"}));
}

TEST_F(Cleanup, WhiteListWriteFailureStopsBeforeAnyDeletion) {
    Mod("a.jar");
    const fs::path blocker = tmp_.write("blocker", "a file, not a folder");
    const IniFile unwritable(blocker / "Settings.ini");
    EXPECT_THROW(DeleteTickedFiles({{"a.jar", true}}, mods_, {}, unwritable, log_), IniWriteError);
    EXPECT_TRUE(fs::exists(mods_ / "a.jar"));
    EXPECT_EQ(log_.LineCount(), 0u);
}

TEST(WhiteListValue, RoundTripKeepsWholeEntries) {
    WhiteList w;
    w.Keep("xa.jar");
    w.Keep("a.jar");
    w.Keep("a.jar");
    w.Keep("../a.jar");  // not a bare name: never stored
    EXPECT_EQ(w.Value(), "xa.jar/a.jar/");
    w.Release("a.jar");
    EXPECT_EQ(w.Value(), "xa.jar/");
    EXPECT_TRUE(WhiteList(w.Value()).Contains("xa.jar"));
    EXPECT_FALSE(WhiteList(w.Value()).Contains("a.jar"));
    w.Release("xa.jar");
    EXPECT_EQ(w.Value(), "");
    // A value of the earlier form, separated but not ended by "/", reads exactly too.
    EXPECT_FALSE(WhiteList("xa.jar/b.jar").Contains("a.jar"));
    EXPECT_TRUE(WhiteList("xa.jar/b.jar").Contains("b.jar"));
}

TEST(CleanupGeometry, DialogAndHandBackAreCentred) {
    EXPECT_EQ(CleanupDialogTarget(1920, 1080), (WindowRect{684, 401, 553, 279}));
    EXPECT_EQ(CleanupDialogTarget(1366, 767), (WindowRect{407, 244, 553, 279}));
    // Full width 830 and actions height 294; halves go to the even neighbour.
    EXPECT_EQ(HandBackTarget(1920, 1080, 830, 294), (WindowRect{545, 393, 830, 294}));
    EXPECT_EQ(HandBackTarget(1365, 767, 830, 294), (WindowRect{268, 236, 830, 294}));  // 267.5, 236.5
    EXPECT_EQ(HandBackTarget(1367, 769, 830, 294), (WindowRect{268, 238, 830, 294}));  // 268.5, 237.5
    EXPECT_EQ(HandBackTarget(1366, 768, 831, 295), (WindowRect{268, 236, 831, 295}));  // 267.5, 236.5
}

}  // namespace
}  // namespace packwell
