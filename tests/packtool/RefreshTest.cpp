#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/settings/IniFile.h"
#include "core/manifest/Manifest.h"
#include "tests/packtool/PackFixture.h"
#include "tools/packwell-pack/PackCheck.h"
#include "tools/packwell-pack/PackRefresh.h"

namespace fs = std::filesystem;

namespace packwell::pack {

void PrintTo(const Problem& p, std::ostream* os) { *os << p.text; }

namespace {

using test::PackFixture;

Manifest Read(const PackFixture& pack) { return ReadManifest(IniData::Parse(pack.manifest())); }

TEST(Refresh, WritesSortedListThatChecksClean) {
    PackFixture pack;
    const RefreshResult r = RefreshPack({pack.dir, std::nullopt});
    EXPECT_TRUE(r.written);
    EXPECT_EQ(r.mods, 3u);
    EXPECT_EQ(r.totalBytes, 73001);
    // Byte order: "B" < "[" < "z".
    EXPECT_EQ(Read(pack).modList.entries,
              (std::vector<ManifestEntry>{{"Baubles-1.12-1.5.2.jar", 3000},
                                          {"[1.12.2] Journey Map (client).jar", 70000},
                                          {"zz_last.jar", 1}}));
    EXPECT_EQ(CheckPack(pack.dir), std::vector<Problem>{});

    // Nothing changed: the file is not rewritten.
    const auto stamp = fs::last_write_time(pack.dir / "Update");
    const RefreshResult again = RefreshPack({pack.dir, std::nullopt});
    EXPECT_FALSE(again.written);
    EXPECT_TRUE(again.changes.empty());
    EXPECT_EQ(fs::last_write_time(pack.dir / "Update"), stamp);
}

TEST(Refresh, ReportsWhatChangedAndKeepsTheAdminsLines) {
    PackFixture pack;
    pack.setManifest(
        "; written by hand\r\n[Update]\r\nlastversion=1.2.6.3\r\n"
        "[modlist]\r\nCount=2\r\nmod1=Baubles-1.12-1.5.2.jar\r\nmod1size=10\r\nmod2=gone.jar\r\nmod2size=5\r\n"
        "[dellist]\r\nCount=2\r\nmod1=old.jar\r\nmod2=zz_last.jar\r\n");
    pack.write("dellist.txt", "# names to offer for deletion\n  older.jar \r\n\nold.jar\nBaubles-1.12-1.5.2.jar\n");

    const RefreshResult r = RefreshPack({pack.dir, pack.dir / "dellist.txt"});
    EXPECT_EQ(r.changes, (std::vector<std::string>{
                             "resized Baubles-1.12-1.5.2.jar: 10 -> 3000 bytes",
                             "added [1.12.2] Journey Map (client).jar (70000 bytes)",
                             "added zz_last.jar (1 bytes)",
                             "removed gone.jar",
                             "dellist: dropped zz_last.jar, a mod of the pack again",
                             "dellist: added older.jar",
                         }));
    EXPECT_EQ(r.notes, std::vector<std::string>{"not added to dellist: Baubles-1.12-1.5.2.jar is a mod of the pack"});

    const std::string text = pack.manifest();
    EXPECT_TRUE(text.starts_with("; written by hand\r\n[Update]\r\nlastversion=1.2.6.3\r\n[modlist]\r\nCount=3\r\n")) << text;
    const Manifest m = Read(pack);
    EXPECT_EQ(m.delList.entries, (std::vector<std::string>{"old.jar", "older.jar"}));
    EXPECT_EQ(m.modList.entries.size(), 3u);
}

#ifndef _WIN32
// Names a Linux folder can hold and a Windows one cannot (a backslash, a trailing blank, bytes
// that are no text): only a pack prepared on Linux can offer them.
TEST(Refresh, RefusesNamesClientsDoNotAcceptAndWritesNothing) {
    PackFixture pack;
    pack.setManifest("[modlist]\r\nCount=0\r\n");
    pack.write("mods3/back\\slash.jar", "x");
    pack.write("mods3/trailing .jar ", "x");
    pack.write("mods3/latin1-\xE9t\xE9.jar", "x");  // bytes that are no UTF-8 text
    try {
        RefreshPack({pack.dir, std::nullopt});
        FAIL() << "refresh accepted the names";
    } catch (const PackError& e) {
        EXPECT_NE(std::string(e.what()).find("back\\slash.jar"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("trailing .jar "), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("latin1-\\xE9t\\xE9.jar"), std::string::npos) << e.what();
    }
    EXPECT_EQ(pack.manifest(), "[modlist]\r\nCount=0\r\n");

    pack.write("bad-dellist.txt", "../../options.txt\n");
    fs::remove(pack.dir / "mods3/back\\slash.jar");
    fs::remove(pack.dir / "mods3/trailing .jar ");
    fs::remove(pack.dir / "mods3/latin1-\xE9t\xE9.jar");
    EXPECT_THROW(RefreshPack({pack.dir, pack.dir / "bad-dellist.txt"}), PackError);
    EXPECT_EQ(pack.manifest(), "[modlist]\r\nCount=0\r\n");
}
#else
// Of those names a Windows folder holds only the trailing blank, made through the \\?\ form
// that keeps a name as given (a plain path drops the blank).
TEST(Refresh, RefusesNamesClientsDoNotAcceptAndWritesNothing) {
    PackFixture pack;
    pack.setManifest("[modlist]\r\nCount=0\r\n");
    const fs::path trailing = L"\\\\?\\" + (pack.dir / "mods3" / "trailing .jar ").wstring();
    std::ofstream(trailing) << "x";
    ASSERT_TRUE(fs::exists(trailing));
    try {
        RefreshPack({pack.dir, std::nullopt});
        ADD_FAILURE() << "refresh accepted the name";
    } catch (const PackError& e) {
        EXPECT_NE(std::string(e.what()).find("trailing .jar "), std::string::npos) << e.what();
    }
    EXPECT_EQ(pack.manifest(), "[modlist]\r\nCount=0\r\n");
    fs::remove(trailing);  // the folder's own removal would miss it
}
#endif

TEST(Refresh, LeavesOutHiddenFilesAndFolders) {
    PackFixture pack;
    pack.write("mods3/.Baubles.jar.part-123", "half");
    fs::create_directories(pack.dir / "mods3/subfolder");
    const RefreshResult r = RefreshPack({pack.dir, std::nullopt});
    EXPECT_EQ(r.mods, 3u);
    EXPECT_EQ(r.notes.size(), 2u);
}

TEST(Refresh, NeedsTheModsFolder) {
    PackFixture pack;
    fs::remove_all(pack.dir / "mods3");
    EXPECT_THROW(RefreshPack({pack.dir, std::nullopt}), PackError);
    EXPECT_FALSE(fs::exists(pack.dir / "Update"));
}

}  // namespace
}  // namespace packwell::pack
