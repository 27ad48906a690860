#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "core/settings/Settings.h"
#include "core/settings/SharedValues.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;
using namespace packwell;
using packwell::test::readFile;
using packwell::test::TempDir;

namespace {

TEST(SaveSettings, WritesAllThreeKeysInOrder) {
    TempDir dir;
    const IniFile ini(dir.appData() / "Settings.ini");
    dir.write("appdata/Settings.ini", "[Settings]\r\nWhiteList=a.jar\r\n");
    settings::SaveSettings(ini, {"/games/mc", false, true});
    EXPECT_EQ(readFile(ini.FileName()), "[Settings]\r\nWhiteList=a.jar\r\nGameFolder=/games/mc\r\nTurbo=0\r\nExtraOptions=1\r\n");
    settings::SaveSettings(ini, {"/games/other", true, true});
    EXPECT_EQ(readFile(ini.FileName()),
              "[Settings]\r\nWhiteList=a.jar\r\nGameFolder=/games/other\r\nTurbo=1\r\nExtraOptions=1\r\n");
}

TEST(IsWhiteListed, NameCountsWhenItOccursInTheValue) {
    const std::string value = "a.jarb.jar";
    EXPECT_TRUE(settings::IsWhiteListed(value, "a.jar"));
    EXPECT_TRUE(settings::IsWhiteListed(value, "b.jar"));
    EXPECT_TRUE(settings::IsWhiteListed(value, "jarb.jar"));
    EXPECT_FALSE(settings::IsWhiteListed(value, "A.jar"));
    EXPECT_FALSE(settings::IsWhiteListed(value, "c.jar"));
    EXPECT_FALSE(settings::IsWhiteListed("", "a.jar"));
}

// Sets or clears environment variables for one test and puts them back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        old_ = test::GetEnv(name);
        test::SetEnv(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    ~ScopedEnv() { test::SetEnv(name_, old_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SharedValues, DataFolderFollowsAppDataWhenSet) {
    TempDir dir;
    EXPECT_EQ(AppDataDir(), dir.appData() / "Quorvane" / "Packwell");
    EXPECT_EQ(RoamingDir(), dir.appData());
    EXPECT_EQ(SettingsIniPath(), dir.appData() / "Quorvane" / "Packwell" / "Settings.ini");
    EXPECT_EQ(ManifestIniPath(), dir.appData() / "Quorvane" / "Packwell" / "Update.ini");
    EnsureAppDataDir();
    EXPECT_TRUE(fs::is_directory(AppDataDir()));
}

#ifndef _WIN32
// Linux only: Windows always has APPDATA and no XDG folders.
TEST(SharedValues, DataFolderFollowsXdgWithoutAppData) {
    TempDir dir;
    const ScopedEnv noAppData("APPDATA", nullptr);
    const ScopedEnv home("HOME", dir.root().c_str());
    {
        const ScopedEnv xdg("XDG_DATA_HOME", (dir.root() / "data").c_str());
        EXPECT_EQ(AppDataDir(), dir.root() / "data" / "Quorvane" / "Packwell");
    }
    {
        const ScopedEnv xdg("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(AppDataDir(), dir.root() / ".local" / "share" / "Quorvane" / "Packwell");
    }
    {
        const ScopedEnv relative("XDG_DATA_HOME", "relative/data");  // not absolute: ignored
        EXPECT_EQ(AppDataDir(), dir.root() / ".local" / "share" / "Quorvane" / "Packwell");
    }
    {
        const ScopedEnv empty("APPDATA", "");  // empty counts as unset, never the root folder
        EXPECT_EQ(RoamingDir(), dir.root());
    }
}
#endif

}  // namespace
