#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/settings/IniFile.h"
#include "core/manifest/Manifest.h"
#include "core/manifest/ManifestWriter.h"
#include "core/settings/IniEncoding.h"

namespace packwell {
namespace {

TEST(ManifestWriter, ListsReadBackThroughTheClientsReader) {
    const std::vector<ManifestEntry> mods = {{"[1.12.2] Mod Name.jar", 70000}, {"a=b;c.jar", 0}, {"Мод.jar", 12}};
    const std::vector<std::string> dels = {"old.jar", "older one.jar"};
    const Manifest m = ReadManifest(IniData::Parse(FormatModList(mods) + FormatDelList(dels)));
    EXPECT_EQ(m.modList.statedCount, 3);
    EXPECT_EQ(m.modList.entries, mods);
    EXPECT_EQ(m.delList.entries, dels);
}

TEST(ManifestWriter, RefusesNamesThatWouldReadBackChanged) {
    for (const std::string& bad : std::vector<std::string>{" lead.jar", "trail.jar ", "two\nlines.jar", std::string(2048, 'x')}) {
        EXPECT_FALSE(ReadsBackUnchanged(bad)) << bad.substr(0, 20);
        EXPECT_THROW(FormatModList({{bad, 1}}), std::invalid_argument);
        EXPECT_THROW(FormatDelList({bad}), std::invalid_argument);
    }
    EXPECT_TRUE(ReadsBackUnchanged(std::string(2047, 'x')));
}

TEST(ManifestWriter, ReplacesEveryOccurrenceAndKeepsTheRestByteForByte) {
    const std::string file =
        "\xEF\xBB\xBF; pack of the week\n[Update]\nlastversion = 1.2.7\n[modlist]\nCount=9\nmod1=gone.jar\n"
        "[dellist]\r\nCount=1\r\nmod1=old.jar\r\n[MODLIST]\nmod2=also-gone.jar\n[extra]\nkey=value";
    const std::string out = ReplaceSection(file, "modlist", "[modlist]\r\nCount=0\r\n");
    EXPECT_EQ(out,
              "\xEF\xBB\xBF; pack of the week\n[Update]\nlastversion = 1.2.7\n[modlist]\r\nCount=0\r\n"
              "[dellist]\r\nCount=1\r\nmod1=old.jar\r\n[extra]\nkey=value");
}

// Found by the mod-name fuzz target: a manifest that read as Windows-1251 (bytes that are no
// UTF-8) was written back in 1251, and a name 1251 cannot spell came back with "?" in it.
TEST(ManifestWriter, AFileReadAs1251KeepsEveryNameWhenWrittenBack) {
    const std::string name = "Мод\xEF\xBB\xBF\xE2\x84\xA2.jar";  // a byte-order mark and a trade mark inside
    const std::string out = ReplaceSection("; \xCF\xE0\xEA\n[Update]\nlastversion=1\n", "modlist", FormatModList({{name, 5}}));
    const Manifest m = ReadManifest(IniData::Parse(ini::DecodeFile(out).text));
    ASSERT_EQ(m.modList.entries.size(), 1u);
    EXPECT_EQ(m.modList.entries[0].name, name);
}

TEST(ManifestWriter, AppendsAnAbsentSectionOnItsOwnLine) {
    EXPECT_EQ(ReplaceSection("[Update]\nlastversion=1", "dellist", "[dellist]\r\nCount=0\r\n"),
              "[Update]\nlastversion=1\r\n[dellist]\r\nCount=0\r\n");
    EXPECT_EQ(ReplaceSection("", "modlist", "[modlist]\r\n"), "[modlist]\r\n");
}

// An admin's manifest saved as UTF-16 (Notepad's "Unicode") takes its new lists in UTF-16 too.
TEST(ManifestWriter, AUtf16ManifestStaysUtf16) {
    const std::string utf16 = ini::EncodeFile("[Update]\r\nlastversion=1.2.7\r\n", ini::Encoding::Utf16Le);
    const std::vector<ManifestEntry> mods = {{"Мод.jar", 12}};
    const std::string out = ReplaceSection(utf16, "modlist", FormatModList(mods));
    EXPECT_EQ(ini::DecodeFile(out).encoding, ini::Encoding::Utf16Le);
    const IniData read = IniData::Parse(out);
    EXPECT_EQ(ReadManifest(read).modList.entries, mods);
    EXPECT_EQ(read.ReadString("Update", "lastversion", ""), "1.2.7");
}

}  // namespace
}  // namespace packwell
