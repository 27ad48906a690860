#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/manifest/Manifest.h"
#include "core/manifest/ModFileName.h"

namespace packwell {

void PrintTo(const ManifestEntry& e, std::ostream* os) { *os << "{" << e.name << ", " << e.size << "}"; }

namespace {

struct ManifestCase {
    const char* what;
    std::string text;
    std::vector<ManifestEntry> mods;
    std::vector<std::string> dels;
};

class ManifestTable : public ::testing::TestWithParam<ManifestCase> {};

TEST_P(ManifestTable, ReadsEntriesInNumberOrder) {
    const auto& c = GetParam();
    const Manifest m = ReadManifest(IniData::Parse(c.text));
    EXPECT_EQ(m.modList.entries, c.mods);
    EXPECT_EQ(m.delList.entries, c.dels);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ManifestTable,
    ::testing::Values(
        ManifestCase{"entry beyond Count ignored",
                     "[modlist]\nCount=3\nmod1=a.jar\nmod1size=10\nmod2=b.jar\nmod2size=20\nmod3=c.jar\nmod3size=30\n"
                     "mod4=d.jar\nmod4size=40\n",
                     {{"a.jar", 10}, {"b.jar", 20}, {"c.jar", 30}},
                     {}},
        ManifestCase{"missing name key gives the empty name",
                     "[modlist]\nCount=2\nmod1=a.jar\nmod1size=1\nmod2size=7\n",
                     {{"a.jar", 1}, {"", 7}},
                     {}},
        ManifestCase{"keys in other letter case", "[MODLIST]\ncount=1\nMOD1=A.jar\nMod1Size=5\n", {{"A.jar", 5}}, {}},
        ManifestCase{"Count not a number", "[modlist]\nCount=16abc\nmod1=a.jar\n", {}, {}},
        ManifestCase{"negative Count means none", "[modlist]\nCount=-3\nmod1=a.jar\n[dellist]\nCount=-1\nmod1=x\n", {}, {}},
        ManifestCase{"size not a number reads 0", "[modlist]\nCount=1\nmod1=a.jar\nmod1size=big\n", {{"a.jar", 0}}, {}},
        ManifestCase{"dellist counts on its own",
                     "[modlist]\nCount=1\nmod1=a.jar\nmod1size=3\n[dellist]\nCount=2\nmod1=old.jar\nmod2=older.jar\nmod3=no.jar\n",
                     {{"a.jar", 3}},
                     {"old.jar", "older.jar"}},
        ManifestCase{"no sections at all", "", {}, {}},
        ManifestCase{"UTF-8 with a byte-order mark",
                     "\xEF\xBB\xBF[modlist]\r\nCount=1\r\nmod1=Мод.jar\r\nmod1size=2\r\n",
                     {{"Мод.jar", 2}},
                     {}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(Manifest, HexCountReadsAsSixteen) {
    const Manifest m = ReadManifest(IniData::Parse("[modlist]\nCount=0x10\nmod16=p.jar\nmod16size=9\n"));
    ASSERT_EQ(m.modList.entries.size(), 16u);
    EXPECT_EQ(m.modList.entries.back(), (ManifestEntry{"p.jar", 9}));
}

TEST(Manifest, HugeCountIsBoundedAndReported) {
    const Manifest m = ReadManifest(IniData::Parse("[modlist]\nCount=2147483647\nmod1=a.jar\n[dellist]\nCount=5\n"));
    EXPECT_TRUE(m.modList.Truncated());
    EXPECT_EQ(m.modList.statedCount, 2147483647);
    EXPECT_EQ(m.modList.entries.size(), static_cast<std::size_t>(kMaxManifestEntries));
    EXPECT_FALSE(m.delList.Truncated());
}

// Each size is read over 64 bits with the integer rules (decimal, "$" hex, "0x" hex).
TEST(Manifest, SizesAreSixtyFourBitEach) {
    const Manifest m = ReadManifest(IniData::Parse(
        "[modlist]\nCount=6\nmod1=a\nmod1size=3000000000\nmod2=b\nmod2size=$100000000\nmod3=c\nmod3size=0x80000000\n"
        "mod4=d\nmod4size=-5\nmod5=e\nmod5size=70368744177664\nmod6=f\nmod6size=70368744177665\n"));
    EXPECT_EQ(m.modList.entries, (std::vector<ManifestEntry>{{"a", 3000000000LL},
                                                              {"b", 4294967296LL},
                                                              {"c", 2147483648LL},
                                                              {"d", -5},
                                                              {"e", kMaxModSize},
                                                              {"f", 0}}));  // beyond any file: as not a number
    EXPECT_EQ(m.ServerTotal(), 3000000000LL + 4294967296LL + 2147483648LL - 5 + kMaxModSize);
}

struct VersionCase {
    std::string text;
    bool offered;
};

TEST(Manifest, UpdateOfferedWhenVersionDiffersAsText) {
    const std::vector<VersionCase> cases = {
        {"[Update]\nlastversion=1.2.6.3\n", false},
        {"[Update]\nlastversion=1.2.6.2\n", true},
        {"[Update]\nlastversion=1.2.7\n", true},
        {"[update]\nLastVersion=1.2.6.3\n", false},
        {"[modlist]\nCount=0\n", false},  // absent: the own version
        {"[Update]\nlastversion=\n", true},  // present but empty differs
    };
    for (const auto& c : cases) EXPECT_EQ(UpdateOffered(IniData::Parse(c.text), "1.2.6.3"), c.offered) << c.text;
}

TEST(ModFileName, OnlyBareNamesAreAccepted) {
    for (const char* ok : {"a.jar", "", "Мод [1.12.2].jar", "x..jar", "name with spaces.jar", "console.jar",
                           "nullable", "com10.jar", "lpt.jar", "aux_1.jar"})
        EXPECT_TRUE(IsBareFileName(ok)) << ok;
    for (const char* bad : {".", "..", "../x.jar", "sub/x.jar", "sub\\x.jar", "C:x.jar", "a\tb.jar", "a\x7f.jar",
                            "/etc/passwd", "..\\..\\x"})
        EXPECT_FALSE(IsBareFileName(bad)) << bad;
}

// Names Windows cannot hold, or holds as another name, are refused on every system alike.
TEST(ModFileName, NamesWindowsCannotHoldAreRefused) {
    for (const char* bad : {"a<b.jar", "a>b.jar", "a\"b.jar", "a|b.jar", "what?.jar", "*.jar", "a.jar.", "a.jar ",
                            "dotmod.jar.", "trail .jar. ", "a\x01.jar", "a\x1f.jar"})
        EXPECT_FALSE(IsBareFileName(bad)) << bad;
    for (const char* ok : {"a.b.jar", " lead.jar", ".hidden.jar", "[x] (y) {z} #1 !.jar", "a'b;c=d,e+f%g@h.jar"})
        EXPECT_TRUE(IsBareFileName(ok)) << ok;
}

// Names that Windows' file systems take for one file share a key; others do not.
TEST(ModFileName, WindowsNameKeyFoldsLetterCaseOnly) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"jei.jar", "JEI.jar", true},
        {"Журнал-ёж.jar", "ЖУРНАЛ-ЁЖ.JAR", true},
        {"ÉTÉ-ÿ.jar", "été-Ÿ.jar", true},
        {"Łódź.jar", "łÓDŹ.jar", true},
        {"σοφία.jar", "ΣΟΦΊΑ.jar", true},
        {"ύδωρ.jar", "ΎΔΩΡ.jar", true},
        {"и.jar", "й.jar", false},
        {"λόγος.jar", "ΛΌΓΟΣ.jar", true},
        {"a.jar", "a.jar.", false},  // trailing dots are refused as names, not folded
        {"a-b.jar", "a_b.jar", false},
        {"\xff\xfe.jar", "\xff\xfe.JAR", true},  // stray bytes stay themselves
        {"ss.jar", "ß.jar", false},
    };
    for (const auto& c : cases) EXPECT_EQ(WindowsNameKey(c.a) == WindowsNameKey(c.b), c.same) << c.a << " | " << c.b;
}

// Windows drops a name's trailing dots and blanks and opens a device for a device name, also
// with an extension: these name the folder itself or no file at all on the players' machines.
TEST(ModFileName, NamesWindowsReadsAsNoFileInTheFolderAreRefused) {
    for (const char* bad : {"...", ". .", ".. ", "CON", "con.jar", "Nul", "NUL .txt", "aux.tar.gz", "PRN", "COM1.jar",
                            "lpt9", "COM0", "LPT\xC2\xB9.jar", "com\xC2\xB3", "CONIN$", "conout$.x", "nul."})
        EXPECT_FALSE(IsBareFileName(bad)) << bad;
}

}  // namespace
}  // namespace packwell
