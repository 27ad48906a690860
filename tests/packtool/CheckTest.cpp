#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "core/extras/ForgeInstall.h"
#include "tests/packtool/PackFixture.h"
#include "tools/packwell-pack/PackCheck.h"
#include "tools/packwell-pack/PackRefresh.h"

namespace fs = std::filesystem;

namespace packwell::pack {
namespace {

using Kind = Problem::Kind;
using test::PackFixture;

// A clean manifest for the fixture, written by hand so each case can bend one line of it.
const std::string kModList =
    "[modlist]\r\nCount=3\r\n"
    "mod1=Baubles-1.12-1.5.2.jar\r\nmod1size=3000\r\n"
    "mod2=[1.12.2] Journey Map (client).jar\r\nmod2size=70000\r\n"
    "mod3=zz_last.jar\r\nmod3size=1\r\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    if (at == std::string::npos) throw std::logic_error("fixture text lacks " + from);
    return text.replace(at, from.size(), to);
}

// SHA-256 of "z", the content of zz_last.jar.
const std::string kDigestOfZ = "594e519ae499312b29433b7dd8a97ff068defcba9755b6d5d00e84c524d67b06";

std::string WithDigest(const std::string& digest) {
    return Replaced(kModList, "mod3size=1\r\n", "mod3size=1\r\nmod3sha256=" + digest + "\r\n");
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

struct CheckCase {
    const char* what;
    std::function<void(const PackFixture&)> damage;
    std::multiset<Kind> expected;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.what; }

class CheckTable : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckTable, FindsExactlyTheDamage) {
    PackFixture pack;
    pack.setManifest(kModList);
    ASSERT_EQ(CheckPack(pack.dir), std::vector<Problem>{}) << "the fixture itself must be clean";

    GetParam().damage(pack);
    const std::vector<Problem> problems = CheckPack(pack.dir);
    std::multiset<Kind> kinds;
    for (const auto& p : problems) {
        kinds.insert(p.kind);
        EXPECT_EQ(p.text.find('\n'), std::string::npos) << "one line per problem: " << p.text;
    }
    EXPECT_EQ(kinds, GetParam().expected) << [&] {
        std::string all;
        for (const auto& p : problems) all += p.text + "\n";
        return all;
    }();
}

INSTANTIATE_TEST_SUITE_P(
    Damage, CheckTable,
    ::testing::Values(
        CheckCase{"missing file", [](const PackFixture& p) { fs::remove(p.dir / "mods3/zz_last.jar"); }, {Kind::FileMissing}},
        CheckCase{"wrong size", [](const PackFixture& p) { p.write("mods3/zz_last.jar", "zz"); }, {Kind::WrongSize}},
        CheckCase{"digest of other content",
                  [](const PackFixture& p) { p.setManifest(WithDigest(std::string(64, '0'))); }, {Kind::WrongHash}},
        CheckCase{"digest not 64 hex digits",
                  [](const PackFixture& p) { p.setManifest(WithDigest(kDigestOfZ.substr(1))); }, {Kind::BadHash}},
        CheckCase{"the right digest in capitals", [](const PackFixture& p) { p.setManifest(WithDigest(Upper(kDigestOfZ))); }, {}},
        CheckCase{"unsafe name",
                  [](const PackFixture& p) { p.setManifest(Replaced(kModList, "mod3=zz_last.jar", "mod3=..\\zz_last.jar")); },
                  {Kind::UnsafeName}},
        CheckCase{"name longer than a file system holds",
                  [](const PackFixture& p) {
                      std::string cyrillic;
                      for (int i = 0; i < 128; ++i) cyrillic += "Я";  // 256 bytes, 128 letters
                      p.setManifest(Replaced(kModList, "mod3=zz_last.jar", "mod3=" + cyrillic));
                  },
                  {Kind::NameTooLong}},
        CheckCase{"marker phrase inside a file, split over a line break",
                  [](const PackFixture& p) {
                      std::string body(3000, 'b');
                      body.replace(1000, 20, "<h1>404: Not\r\n Found");
                      p.write("mods3/Baubles-1.12-1.5.2.jar", body);
                  },
                  {Kind::ErrorPhrase}},
        CheckCase{"marker phrase in the settings program",
                  [](const PackFixture& p) { p.write("Settingss.exe", "unknown domain"); },
                  {Kind::ErrorPhrase}},
        CheckCase{"gap in the numbering",
                  [](const PackFixture& p) {
                      p.setManifest(Replaced(kModList, "mod2=[1.12.2] Journey Map (client).jar\r\n", ""));
                  },
                  {Kind::Gap}},
        CheckCase{"entry beyond Count",
                  [](const PackFixture& p) { p.setManifest(Replaced(kModList, "Count=3", "Count=2")); },
                  {Kind::BeyondCount}},
        CheckCase{"Count not a number",
                  [](const PackFixture& p) { p.setManifest(Replaced(kModList, "Count=3", "Count=3 mods")); },
                  {Kind::BadCount}},
        CheckCase{"size not a number", [](const PackFixture& p) { p.setManifest(Replaced(kModList, "mod3size=1", "mod3size=1b")); },
                  {Kind::BadSize}},
        CheckCase{"same name twice and a letter-case twin",
                  [](const PackFixture& p) {
                      p.write("mods3/ZZ_LAST.jar", "Z");
                      p.setManifest(Replaced(kModList, "Count=3", "Count=5") +
                                    "mod4=zz_last.jar\r\nmod4size=1\r\nmod5=ZZ_LAST.jar\r\nmod5size=1\r\n");
                  },
                  {Kind::Duplicate, Kind::CaseClash}},
        CheckCase{"dellist names a mod of the pack",
                  [](const PackFixture& p) { p.setManifest(kModList + "[dellist]\r\nCount=2\r\nmod1=old.jar\r\nmod2=zz_last.jar\r\n"); },
                  {Kind::DeletesAMod}},
        CheckCase{"dellist names a mod of the pack in other letter case, Cyrillic too",
                  [](const PackFixture& p) {
                      p.write("mods3/Журнал.jar", "J");
                      p.setManifest(Replaced(kModList, "Count=3", "Count=4") + "mod4=Журнал.jar\r\nmod4size=1\r\n" +
                                    "[dellist]\r\nCount=2\r\nmod1=ZZ_LAST.JAR\r\nmod2=жУРНАЛ.jar\r\n");
                  },
                  {Kind::DeletesAMod, Kind::DeletesAMod}},
        CheckCase{"names Windows cannot hold",
                  [](const PackFixture& p) {
                      p.setManifest(Replaced(kModList, "Count=3", "Count=5") +
                                    "mod4=dotmod.jar.\r\nmod4size=1\r\nmod5=what?.jar\r\nmod5size=1\r\n");
                  },
                  {Kind::UnsafeName, Kind::UnsafeName}},
        CheckCase{"new version announced without the program files",
                  [](const PackFixture& p) {
                      p.setManifest("[Update]\r\nlastversion=1.2.7\r\n" + kModList);
                      p.write("Update.exe", "MZ");
                  },
                  {Kind::FileMissing}},
        CheckCase{"version clients refuse",
                  [](const PackFixture& p) {
                      p.setManifest("[Update]\r\nlastversion=1.2.7 & del *\r\n" + kModList);
                      p.write("Update.exe", "MZ");
                      p.write("Update-linux", "\x7f" "ELF");
                  },
                  {Kind::UnsafeVersion}},
        CheckCase{"version too long for the program's file name",
                  [](const PackFixture& p) {
                      p.setManifest("[Update]\r\nlastversion=" + std::string(65, '7') + "\r\n" + kModList);
                      p.write("Update.exe", "MZ");
                      p.write("Update-linux", "\x7f" "ELF");
                  },
                  {Kind::UnsafeVersion}},
        CheckCase{"forge installer missing, settings program empty",
                  [](const PackFixture& p) {
                      fs::remove(p.dir / kForgeInstallerName);
                      p.write("Settingss.exe", "");
                  },
                  {Kind::FileMissing, Kind::EmptyFile}},
        CheckCase{"manifest missing", [](const PackFixture& p) { fs::remove(p.dir / "Update"); }, {Kind::ManifestMissing}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(Check, RefusesAMissingFolder) {
    PackFixture pack;
    EXPECT_THROW(CheckPack(pack.dir / "nowhere"), PackError);
}

// The client stops reading text at a byte 26, so a marker after one is no problem for it.
TEST(Check, MarkerAfterEndOfTextByteIsHarmless) {
    PackFixture pack;
    std::string body = std::string("\x7f" "ELF\x1a", 5) + "404: Not Found";
    body.resize(3000, '\0');
    pack.write("mods3/Baubles-1.12-1.5.2.jar", body);
    pack.setManifest(kModList);
    EXPECT_EQ(CheckPack(pack.dir), std::vector<Problem>{});
}

// Names from the manifest reach the terminal and the file system only once known safe.
TEST(Check, HostileNameIsShownEscapedAndNeverOpened) {
    PackFixture pack;
    pack.write("outside.jar", "x");
    pack.setManifest(Replaced(kModList, "mod3=zz_last.jar", "mod3=../outside.jar\x1b[2J"));
    const std::vector<Problem> problems = CheckPack(pack.dir);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].kind, Kind::UnsafeName);
    EXPECT_NE(problems[0].text.find("../outside.jar\\x1B[2J"), std::string::npos) << problems[0].text;
}

}  // namespace
}  // namespace packwell::pack
