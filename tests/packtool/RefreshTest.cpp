#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "core/settings/IniFile.h"
#include "core/manifest/Manifest.h"
#include "tests/packtool/PackFixture.h"
#include "platform/Sha256.h"
#include "tools/packwell-pack/PackCheck.h"
#include "tools/packwell-pack/PackLayout.h"
#include "tools/packwell-pack/PackRefresh.h"

namespace fs = std::filesystem;

namespace packwell::pack {

void PrintTo(const Problem& p, std::ostream* os) { *os << p.text; }

namespace {

using test::PackFixture;

Manifest Read(const PackFixture& pack) { return ReadManifest(IniData::Parse(pack.manifest())); }

platform::Sha256Digest Sha256Of(const std::string& content) {
    platform::Sha256 hash;
    hash.Update(content.data(), content.size());
    return hash.Final();
}

std::optional<platform::Sha256Digest> DigestOf(const PackFixture& pack, const std::string& name) {
    for (const auto& e : Read(pack).modList.entries)
        if (e.name == name) return e.sha256;
    return std::nullopt;
}

void SetWriteTime(const fs::path& file, fs::file_time_type when) {
    fs::last_write_time(file, std::chrono::floor<std::chrono::seconds>(when));
}

TEST(Refresh, WritesSortedListThatChecksClean) {
    PackFixture pack;
    const RefreshResult r = RefreshPack({pack.dir, std::nullopt});
    EXPECT_TRUE(r.written);
    EXPECT_EQ(r.mods, 3u);
    EXPECT_EQ(r.totalBytes, 73001);
    // Byte order: "B" < "[" < "z".
    EXPECT_EQ(Read(pack).modList.entries,
              (std::vector<ManifestEntry>{{"Baubles-1.12-1.5.2.jar", 3000, Sha256Of(std::string(3000, 'b'))},
                                          {"[1.12.2] Journey Map (client).jar", 70000, Sha256Of(std::string(70000, 'j'))},
                                          {"zz_last.jar", 1, Sha256Of("z")}}));
    EXPECT_NE(pack.manifest().find("mod3size=1\r\nmod3sha256=" + platform::Sha256Hex(Sha256Of("z")) + "\r\n"),
              std::string::npos);
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
    pack.write("mods3/what?.jar", "x");
    pack.write("mods3/dotmod.jar.", "x");
    try {
        RefreshPack({pack.dir, std::nullopt});
        FAIL() << "refresh accepted the names";
    } catch (const PackError& e) {
        EXPECT_NE(std::string(e.what()).find("back\\slash.jar"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("trailing .jar "), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("latin1-\\xE9t\\xE9.jar"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("what?.jar"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("dotmod.jar."), std::string::npos) << e.what();
    }
    EXPECT_EQ(pack.manifest(), "[modlist]\r\nCount=0\r\n");

    pack.write("bad-dellist.txt", "../../options.txt\n");
    fs::remove(pack.dir / "mods3/back\\slash.jar");
    fs::remove(pack.dir / "mods3/trailing .jar ");
    fs::remove(pack.dir / "mods3/latin1-\xE9t\xE9.jar");
    fs::remove(pack.dir / "mods3/what?.jar");
    fs::remove(pack.dir / "mods3/dotmod.jar.");
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

// A refresh reads only the files whose size or time changed since the last one: a same-size
// change hidden under the old time keeps the old digest, which proves the file was not read.
// The state file lies outside mods3, and losing it costs a full read, never a wrong digest.
TEST(Refresh, HashesOnlyFilesWhoseSizeOrTimeChanged) {
    PackFixture pack;
    const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& [name, body] : pack.mods) SetWriteTime(pack.dir / "mods3" / name, hourAgo);
    RefreshPack({pack.dir, std::nullopt});
    const auto mods3 = test::listDir(pack.dir / "mods3");

    const fs::path hidden = pack.write("mods3/Baubles-1.12-1.5.2.jar", std::string(3000, 'c'));
    SetWriteTime(hidden, hourAgo);
    const fs::path touched = pack.write("mods3/zz_last.jar", "y");
    SetWriteTime(touched, hourAgo + std::chrono::seconds(10));
    const RefreshResult r = RefreshPack({pack.dir, std::nullopt});
    EXPECT_EQ(r.changes, std::vector<std::string>{"changed zz_last.jar: same size, other content"});
    EXPECT_EQ(DigestOf(pack, "zz_last.jar"), Sha256Of("y"));
    EXPECT_EQ(DigestOf(pack, "Baubles-1.12-1.5.2.jar"), Sha256Of(std::string(3000, 'b'))) << "read again";
    EXPECT_EQ(test::listDir(pack.dir / "mods3"), mods3) << "clients list mods3";

    int round = 0;
    for (const std::string& spoilt : {std::string("garbage\n\x01"), std::string()}) {
        SCOPED_TRACE(spoilt.empty() ? "state file missing" : "state file garbage");
        const auto when = hourAgo + std::chrono::seconds(20 * ++round);
        pack.write("mods3/Baubles-1.12-1.5.2.jar", std::string(3000, 'b'));
        SetWriteTime(hidden, when);
        RefreshPack({pack.dir, std::nullopt});
        pack.write("mods3/Baubles-1.12-1.5.2.jar", std::string(3000, 'c'));
        SetWriteTime(hidden, when);
        if (spoilt.empty()) fs::remove(pack.dir / kRefreshStateFile);
        else pack.write(kRefreshStateFile, spoilt);
        RefreshPack({pack.dir, std::nullopt});
        EXPECT_EQ(DigestOf(pack, "Baubles-1.12-1.5.2.jar"), Sha256Of(std::string(3000, 'c')));
    }
}

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
