// Our INI reader and writer against the Windows profile functions themselves: every case is
// read both ways and must give the same answer.
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/Utf8Path.h"
#include "core/settings/IniFile.h"
#include "tests/ini/Utf16Le.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace packwell {
namespace {

using test::Utf16Le;

std::wstring Wide(const std::string& utf8) { return PathFromUtf8(utf8).wstring(); }

std::string WindowsString(const fs::path& file, const std::string& section, const std::string& key) {
    wchar_t buffer[2048];
    GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), L"<default>", buffer, 2048, file.c_str());
    return Utf8FromPath(fs::path(buffer));
}

int WindowsInteger(const fs::path& file, const std::string& section, const std::string& key, int fallback) {
    return static_cast<int>(GetPrivateProfileIntW(Wide(section).c_str(), Wide(key).c_str(), fallback, file.c_str()));
}

struct ApiCase {
    const char* name;
    std::string file;  // the case MissingFile writes none
    const char* section;
    const char* key;
};

class ProfileApiTable : public testing::TestWithParam<ApiCase> {};

TEST_P(ProfileApiTable, ReadsAsGetPrivateProfileString) {
    const ApiCase& c = GetParam();
    test::TempDir dir;
    // A name beyond ASCII: the reader must open it wide, as the profile functions do.
    const fs::path path = dir.root() / PathFromUtf8("Настройки.ini");
    if (c.name != "MissingFile"s) dir.write(path.filename(), c.file);
    EXPECT_EQ(IniFile(path).ReadString(c.section, c.key, "<default>"), WindowsString(path, c.section, c.key));
}

const std::string kLong = std::string(3000, 'v');

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileApiTable,
    testing::Values(
        ApiCase{"Plain", "[Settings]\r\nTurbo=1\r\n", "Settings", "Turbo"},
        ApiCase{"DoubleQuotes", "[a]\r\nx=\"1.2.6.3\"\r\n", "a", "x"},
        ApiCase{"SingleQuotes", "[a]\r\nx = 'C:\\Games' \r\n", "a", "x"},
        ApiCase{"BlanksInsideQuotes", "[a]\r\nx= \" a b \" \r\n", "a", "x"},
        ApiCase{"MismatchedQuotes", "[a]\r\nx=\"a'\r\n", "a", "x"},
        ApiCase{"OpeningQuoteOnly", "[a]\r\nx=\"a\r\n", "a", "x"},
        ApiCase{"QuotesInside", "[a]\r\nx=a\"b\"\r\n", "a", "x"},
        ApiCase{"BlanksAround", "  [ Settings ]  \r\n\t GameFolder  =  C:\\mc  \r\n", "Settings", "GameFolder"},
        ApiCase{"BlankInsideKey", "[a]\r\nmy key=1\r\n", "a", "my key"},
        ApiCase{"NamesIgnoreCase", "[modlist]\r\nMOD1=a.jar\r\n", "MODLIST", "mod1"},
        ApiCase{"Comment", "[a]\r\n;x=1\r\nx=2\r\n", "a", "x"},
        ApiCase{"LineWithoutEquals", "[a]\r\nx\r\n", "a", "x"},
        ApiCase{"SplitAtFirstEquals", "[a]\r\nx=b=c\r\n", "a", "x"},
        ApiCase{"PresentEmpty", "[a]\r\nx=\r\n", "a", "x"},
        ApiCase{"DuplicateKey", "[a]\r\nx=1\r\nX=2\r\n", "a", "x"},
        ApiCase{"DuplicateSection", "[modlist]\r\nCount=1\r\n[MODLIST]\r\nCount=5\r\n", "modlist", "Count"},
        ApiCase{"KeyOnlyInSecondSectionOfAName", "[a]\r\nx=1\r\n[b]\r\n[A]\r\ny=2\r\n", "a", "y"},
        ApiCase{"LineFeeds", "[a]\nx=1\ny=2\n", "a", "y"},
        ApiCase{"LoneCarriageReturns", "[a]\rx=1\ry=2\r", "a", "y"},
        ApiCase{"NoLastLineEnd", "[a]\r\nx=1", "a", "x"},
        ApiCase{"Utf8Bom", "\xEF\xBB\xBF[Settings]\r\nGameFolder=C:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\r\n", "Settings",
                "GameFolder"},
        ApiCase{"Utf16LeBom", Utf16Le(u"[Settings]\r\nGameFolder=C:\\Игры\\MC\r\n"), "settings", "GameFolder"},
        ApiCase{"Utf16LeCyrillicKey", Utf16Le(u"[Моды]\r\nключ=значение\r\n"), "моды", "ключ"},
        ApiCase{"MissingFile", "", "a", "x"},
        ApiCase{"MissingSection", "[a]\r\nx=1\r\n", "b", "x"},
        ApiCase{"MissingKey", "[a]\r\nx=1\r\n", "a", "y"},
        ApiCase{"KeyBeforeAnySection", "x=1\r\n[a]\r\n", "a", "x"},
        ApiCase{"LongValueCut", "[a]\r\nx=" + kLong + "\r\n", "a", "x"},
        ApiCase{"LongUtf16ValueCut", Utf16Le(u"[a]\r\nx=" + std::u16string(2100, u'ж') + u"\r\n"), "a", "x"}),
    [](const auto& info) { return std::string(info.param.name); });

// Integers: where GetPrivateProfileIntW and the program's conversion agree they must give the
// same number. They part on purpose elsewhere: the program reads "$10" and "0x10" as 16 and
// gives the default for "12abc" or "-", where the Windows function gives 0 or the leading digits.
TEST(ProfileApi, IntegersAgreeWithGetPrivateProfileInt) {
    test::TempDir dir;
    const fs::path path = dir.write("numbers.ini",
                                    "[n]\r\nzero=0\r\ntwo=2\r\nspaced= 12 \r\nquoted=\"7\"\r\nmax=2147483647\r\n"
                                    "count=250\r\n");
    const IniFile ini(path);
    for (const char* key : {"zero", "two", "spaced", "quoted", "max", "count", "missing"})
        EXPECT_EQ(ini.ReadInteger("n", key, 99), WindowsInteger(path, "n", key, 99)) << key;
}

// Files the old Windows program wrote hold no byte-order mark and are in the ANSI code page,
// Windows-1251 on the players' systems.
TEST(ProfileApi, ReadsAWindows1251File) {
    test::TempDir dir;
    // "Игры" in Windows-1251.
    const fs::path path = dir.write("Settings.ini", "[Settings]\r\nGameFolder=C:\\\xC8\xE3\xF0\xFB\\MC\r\nTurbo=0\r\n");
    EXPECT_EQ(IniFile(path).ReadString("Settings", "GameFolder", ""), "C:\\Игры\\MC");
    if (GetACP() == 1251) EXPECT_EQ(WindowsString(path, "Settings", "GameFolder"), "C:\\Игры\\MC");
}

// What we write reads right through the Windows functions, whatever the file held before.
TEST(ProfileApi, WrittenFilesReadRightThroughWindows) {
    const struct {
        const char* name;
        std::string before;  // empty: no file
    } starts[] = {{"new file", ""},
                  {"ASCII file", "[Settings]\r\nTurbo=1\r\n"},
                  {"Windows-1251 file", "[Settings]\r\nWhiteList=\xEC\xEE\xE4.jar\r\n"},
                  {"UTF-8 file with its mark", "\xEF\xBB\xBF[Settings]\r\nTurbo=1\r\n"},
                  {"UTF-16 file", Utf16Le(u"[Settings]\r\nTurbo=1\r\n")}};
    for (const auto& start : starts) {
        SCOPED_TRACE(start.name);
        test::TempDir dir;
        const fs::path path = dir.appData() / "Settings.ini";
        if (!start.before.empty()) dir.write("appdata/Settings.ini", start.before);
        const IniFile ini(path);
        ini.WriteString("Settings", "GameFolder", "C:\\Users\\Иван\\AppData\\Roaming\\.minecraft");
        ini.WriteBool("Settings", "Turbo", false);
        ini.WriteString("Settings", "Quoted", " a ");
        EXPECT_EQ(WindowsString(path, "Settings", "GameFolder"), "C:\\Users\\Иван\\AppData\\Roaming\\.minecraft");
        EXPECT_EQ(WindowsInteger(path, "Settings", "Turbo", 1), 0);
        EXPECT_EQ(WindowsString(path, "Settings", "Quoted"), " a ");
        if (start.name == "Windows-1251 file"s) EXPECT_EQ(WindowsString(path, "Settings", "WhiteList"), "мод.jar");
        EXPECT_EQ(ini.ReadString("Settings", "GameFolder", ""), "C:\\Users\\Иван\\AppData\\Roaming\\.minecraft");
    }
}

}  // namespace
}  // namespace packwell
#endif
