#include <gtest/gtest.h>

#include <filesystem>

#include "core/settings/IniFile.h"
#include "core/gamefolder/LauncherGameDir.h"
#include "core/gamefolder/LoadSettings.h"
#include "core/settings/SharedValues.h"
#include "core/Utf8Path.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;
using namespace packwell;

namespace {

// APPDATA points at the temporary folder, so the launcher file, its copy and the default
// game folder all live there.
class Discovery : public ::testing::Test {
protected:
    Discovery() { fs::create_directories(AppDataDir()); }
    void launcherFile(const std::string& content) { temp.write("appdata/.tlauncher/legacy.properties", content); }
    void saved(const std::string& text) { temp.write("appdata/Quorvane/Packwell/Settings.ini", text); }
    StartupSettings load() { return LoadSettings(IniFile(SettingsIniPath()), launcher); }
    std::string defaultFolder() const { return Utf8FromPath(temp.appData() / ".minecraft"); }

    test::TempDir temp;
    LauncherInfo launcher;
};

constexpr const char* kJavaStyleFile =
    "#TLauncher properties\r\n"
    "#Mon Jan 01 12:00:00 MSK 2024\r\n"
    "minecraft.javadir=C\\:\\\\Program Files\\\\Java\r\n"
    "minecraft.gamedir=C\\:\\\\Users\\\\\\u0418\\u0432\\u0430\\u043D\\\\AppData\\\\Roaming\\\\.minecraft\r\n"
    "minecraft.size=925x530\r\n";

}  // namespace

TEST_F(Discovery, SavedFolderWinsOverTheLauncher) {
    launcherFile(kJavaStyleFile);
    saved("[Settings]\nGameFolder=/games/saved\n");
    EXPECT_EQ(load().GameDir, "/games/saved");
    EXPECT_TRUE(launcher.Found);
    EXPECT_EQ(launcher.GameDir, R"(C:\Users\Иван\AppData\Roaming\.minecraft)");
}

TEST_F(Discovery, LauncherFolderWithoutASavedOne) {
    launcherFile(kJavaStyleFile);
    EXPECT_EQ(load().GameDir, R"(C:\Users\Иван\AppData\Roaming\.minecraft)");
    saved("[Settings]\nGameFolder=\n");  // present but empty counts as none
    LauncherInfo again;
    EXPECT_EQ(LoadSettings(IniFile(SettingsIniPath()), again).GameDir, R"(C:\Users\Иван\AppData\Roaming\.minecraft)");
}

TEST_F(Discovery, DefaultFolderWithoutLauncherOrSavedValue) {
    StartupSettings s = load();
    EXPECT_EQ(s.GameDir, defaultFolder());
    EXPECT_FALSE(launcher.Found);
    EXPECT_TRUE(s.Turbo);
    EXPECT_TRUE(s.ExtraOptions);
    EXPECT_FALSE(fs::exists(SettingsIniPath())) << "start-up writes nothing";
}

TEST_F(Discovery, PresentButEmptySavedValueWithoutLauncherStaysEmpty) {
    saved("[Settings]\nGameFolder=\nTurbo=0\nExtraOptions=0x1\n");
    StartupSettings s = load();
    EXPECT_EQ(s.GameDir, "");
    EXPECT_FALSE(s.Turbo);
    EXPECT_TRUE(s.ExtraOptions);
}

TEST_F(Discovery, LauncherFileWithoutTheKeyGivesNoFolder) {
    launcherFile("minecraft.javadir=/usr/lib/jvm\nminecraft.size=925x530\n");
    EXPECT_EQ(load().GameDir, defaultFolder());  // not the file's last line
    EXPECT_TRUE(launcher.Found);
    EXPECT_EQ(launcher.GameDir, "");
}

TEST_F(Discovery, LauncherCopyIsReadAndRemovedAndTheOriginalKept) {
    launcherFile(kJavaStyleFile);
    temp.write("appdata/Quorvane/Packwell/legacy.properties", "stale copy");
    ASSERT_TRUE(FindLauncherGameDir(launcher));
    EXPECT_EQ(launcher.GameDir, R"(C:\Users\Иван\AppData\Roaming\.minecraft)");
    EXPECT_FALSE(fs::exists(AppDataDir() / "legacy.properties"));
    EXPECT_EQ(test::readFile(temp.appData() / ".tlauncher" / "legacy.properties"), kJavaStyleFile);
}

TEST_F(Discovery, LauncherGoneKeepsTheFolderFoundEarlier) {
    launcherFile("minecraft.gamedir=C\\:\\\\Games\\\\MC\n");
    ASSERT_TRUE(FindLauncherGameDir(launcher));
    fs::remove(temp.appData() / ".tlauncher" / "legacy.properties");
    EXPECT_FALSE(FindLauncherGameDir(launcher));
    EXPECT_TRUE(launcher.Found);
    EXPECT_EQ(launcher.GameDir, R"(C:\Games\MC)");
}

TEST_F(Discovery, CopyThatCannotBeMadeRaisesAndLeavesTheOriginal) {
    launcherFile(kJavaStyleFile);
    temp.write("appdata/Quorvane/Packwell/legacy.properties/blocker", "");  // a folder in the copy's place
    EXPECT_THROW(FindLauncherGameDir(launcher), fs::filesystem_error);
    EXPECT_THROW(load(), fs::filesystem_error);
    EXPECT_FALSE(launcher.Found);
    EXPECT_EQ(test::readFile(temp.appData() / ".tlauncher" / "legacy.properties"), kJavaStyleFile);
}

TEST_F(Discovery, LauncherFolderThatIsNotAFileRaisesNothing) {
    fs::create_directories(temp.appData() / ".tlauncher" / "legacy.properties");
    EXPECT_FALSE(FindLauncherGameDir(launcher));
    EXPECT_FALSE(launcher.Found);
}

// A player named "Иван": the data folder is the one APPDATA names, letter for letter, where
// the bytes of the ANSI code page gave "Èâàí" or "????".
TEST(AppDataDir, FollowsAnAppDataOfNonAsciiLetters) {
    test::TempDir temp;
    const fs::path roaming = temp.root() / PathFromUtf8("Иван") / "AppData" / "Roaming";
    test::SetEnv("APPDATA", Utf8FromPath(roaming));
    EXPECT_EQ(RoamingDir(), roaming);
    EXPECT_EQ(AppDataDir(), roaming / "Quorvane" / "Packwell");
    EnsureAppDataDir();
    EXPECT_TRUE(fs::is_directory(roaming / "Quorvane" / "Packwell"));
}

TEST(LauncherText, FindsTheGameFolderEntry) {
    struct Case { const char* text; std::optional<std::string> expected; };
    const Case cases[] = {
        {"minecraft.gamedir=C\\:\\\\Games\\\\MC\n", R"(C:\Games\MC)"},
        {"a=1\r\nminecraft.gamedir=/home/u/.minecraft\r\nb=2\r\n", "/home/u/.minecraft"},
        {"\xEF\xBB\xBFminecraft.gamedir=/x\n", "/x"},                 // byte-order mark
        {"   minecraft.gamedir = /spaced\n", "/spaced"},              // blanks around the separator
        {"minecraft.gamedir:/colon\n", "/colon"},
        {"#minecraft.gamedir=/comment\nminecraft.gamedir=/real\n", "/real"},
        {"minecraft.gamedirs=/other\n", std::nullopt},               // a longer key
        {"minecraft.gamedir=/first\nminecraft.gamedir=/second\n", "/first"},
        {"minecraft.gamedir=D:\\\\\xC9t\xE9\n", "D:\\Été"},           // ISO-8859-1 bytes
        {"minecraft.gamedir=\n", ""},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(LauncherGameDirFromText(c.text), c.expected) << c.text;
}
