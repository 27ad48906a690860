#include <gtest/gtest.h>

#include <unistd.h>

#include <stdexcept>

#include "core/settings/IniFile.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using packwell::IniFile;
using packwell::IniWriteError;
using packwell::test::listDir;
using packwell::test::readFile;
using packwell::test::TempDir;

namespace {

struct WriteCase {
    const char* name;
    const char* before;  // nullptr: no file
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

class IniWriteTable : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTable, ChangesOnlyTheKey) {
    const WriteCase& c = GetParam();
    TempDir dir;
    const fs::path path = dir.appData() / "Settings.ini";
    if (c.before) dir.write("appdata/Settings.ini", c.before);
    IniFile(path).WriteString(c.section, c.key, c.value);
    EXPECT_EQ(readFile(path), c.after);
    EXPECT_EQ(IniFile(path).ReadString(c.section, c.key, "<default>"), c.value);
    EXPECT_EQ(listDir(dir.appData()), std::vector<std::string>{"Settings.ini"}) << "temporary file left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWriteTable,
    testing::Values(
        WriteCase{"CreatesFile", nullptr, "Settings", "Turbo", "1", "[Settings]\r\nTurbo=1\r\n"},
        WriteCase{"AddsSectionAtEnd", "[Other]\r\nx=1", "Settings", "Turbo", "0",
                  "[Other]\r\nx=1\r\n[Settings]\r\nTurbo=0\r\n"},
        WriteCase{"ReplacesValueKeepingOtherLines", "; kept\n[settings]\n  turbo = 1  \nExtraOptions=1\n", "Settings",
                  "Turbo", "0", "; kept\n[settings]\nturbo=0\nExtraOptions=1\n"},
        WriteCase{"AddsKeyAfterLastLineOfSection", "[Settings]\r\nTurbo=1\r\n\r\n[Other]\r\nx=1\r\n", "Settings",
                  "WhiteList", "a.jarb.jar", "[Settings]\r\nTurbo=1\r\nWhiteList=a.jarb.jar\r\n\r\n[Other]\r\nx=1\r\n"},
        WriteCase{"AddsKeyToEmptySection", "[Settings]", "Settings", "Turbo", "1", "[Settings]\r\nTurbo=1\r\n"},
        WriteCase{"ChangesTheEntryThatIsRead", "[a]\r\nx=1\r\n[A]\r\nx=2\r\n", "a", "X", "3",
                  "[a]\r\nx=3\r\n[A]\r\nx=2\r\n"},
        WriteCase{"KeepsByteOrderMark", "\xEF\xBB\xBF[a]\r\nx=1\r\n", "a", "x", "", "\xEF\xBB\xBF[a]\r\nx=\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFile, ReadsTheFileAtEveryAccess) {
    TempDir dir;
    const IniFile ini(dir.appData() / "Update.ini");
    EXPECT_EQ(ini.ReadString("Update", "lastversion", "1.2.6.3"), "1.2.6.3");
    EXPECT_FALSE(fs::exists(ini.FileName())) << "a read must not create the file";
    dir.write("appdata/Update.ini", "[Update]\r\nlastversion=1.2.7\r\n");
    EXPECT_EQ(ini.ReadString("Update", "lastversion", "1.2.6.3"), "1.2.7");
    dir.write("appdata/Update.ini", "[modlist]\r\nCount=0x10\r\n");
    EXPECT_EQ(ini.ReadString("Update", "lastversion", "1.2.6.3"), "1.2.6.3");
    EXPECT_EQ(ini.ReadInteger("modlist", "count", 0), 16);
    EXPECT_EQ(ini.Load().ReadInteger("MODLIST", "Count", 0), 16);
    fs::remove(ini.FileName());
    EXPECT_EQ(ini.ReadInteger("modlist", "Count", 0), 0);
}

TEST(IniFile, WritesIntegersAndBooleans) {
    TempDir dir;
    const IniFile ini(dir.appData() / "Settings.ini");
    ini.WriteBool("Settings", "Turbo", false);
    ini.WriteBool("Settings", "ExtraOptions", true);
    ini.WriteInteger("Settings", "N", -42);
    EXPECT_EQ(readFile(ini.FileName()), "[Settings]\r\nTurbo=0\r\nExtraOptions=1\r\nN=-42\r\n");
    EXPECT_FALSE(ini.ReadBool("Settings", "Turbo", true));
    EXPECT_EQ(ini.ReadInteger("Settings", "N", 0), -42);
}

TEST(IniFile, RefusedWriteNamesTheFile) {
    TempDir dir;
    dir.write("not-a-folder", "x");  // a parent that is a file stops root too
    const fs::path path = dir.root() / "not-a-folder" / "Settings.ini";
    try {
        IniFile(path).WriteString("Settings", "Turbo", "1");
        FAIL() << "no error";
    } catch (const IniWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path.string());
    }
}

// A file that cannot be read must not be replaced by one holding only the new key.
TEST(IniFile, RefusesToOverwriteUnreadableFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    TempDir dir;
    const fs::path path = dir.write("appdata/Settings.ini", "[Settings]\r\nWhiteList=a.jar\r\n");
    fs::permissions(path, fs::perms::owner_write);
    EXPECT_THROW(IniFile(path).WriteString("Settings", "Turbo", "1"), IniWriteError);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readFile(path), "[Settings]\r\nWhiteList=a.jar\r\n");
}

// Text that would read back as other keys, or not at all, is a refused write: the file stays.
TEST(IniFile, RefusesTextThatWouldNotReadBack) {
    TempDir dir;
    const fs::path path = dir.write("appdata/Settings.ini", "[Settings]\r\nTurbo=1\r\n");
    const IniFile ini(path);
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } refused[] = {{"Settings", "GameFolder", "/a\r\nTurbo=0"}, {"Settings", "GameFolder", "/a\nb"},
                   {"Settings", "Game=Folder", "x"},           {"Settings", "", "x"},
                   {"Set]tings", "x", "x"}};
    for (const auto& c : refused) {
        try {
            ini.WriteString(c.section, c.key, c.value);
            ADD_FAILURE() << "written: " << c.key << "=" << c.value;
        } catch (const IniWriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path.string()) << c.key << "=" << c.value;
        }
    }
    EXPECT_EQ(readFile(path), "[Settings]\r\nTurbo=1\r\n");
}

}  // namespace
