#include "core/gamefolder/GameFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Utf8Path.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace packwell;

namespace {

class GameFolderCheck : public ::testing::Test {
protected:
    std::string folder(std::initializer_list<const char*> subfolders, const char* name = "game") {
        fs::path dir = temp.root() / name;
        fs::create_directories(dir);
        for (const char* sub : subfolders) fs::create_directories(dir / sub);
        return Utf8FromPath(dir);
    }
    test::TempDir temp;
    LauncherInfo noLauncher;
};

}  // namespace

TEST_F(GameFolderCheck, ThreeStatesWithTheirLabels) {
    struct Case { std::initializer_list<const char*> subfolders; FolderState state; std::string label; };
    const Case cases[] = {
        {{"versions/1.12.2", "assets"}, FolderState::Valid, "Правильная директория!"},
        {{"versions/1.12.2", "assets", "mods/1.12.2"}, FolderState::Valid, "Правильная директория!"},
        {{"versions", "assets"}, FolderState::VersionMissing, "Версия 1.12.2 отсутствует!"},
        {{"versions/1.7.10", "assets"}, FolderState::VersionMissing, "Версия 1.12.2 отсутствует!"},
        {{"versions/1.12.2"}, FolderState::WrongPath, "Неправильный путь к папке с игрой!"},
        {{"assets"}, FolderState::WrongPath, "Неправильный путь к папке с игрой!"},
        {{}, FolderState::WrongPath, "Неправильный путь к папке с игрой!"},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string dir = folder(c.subfolders, ("case" + std::to_string(n++)).c_str());
        FolderCheck check = ValidateGameFolder(dir, noLauncher);
        EXPECT_EQ(check.State, c.state) << dir;
        EXPECT_EQ(check.Label, c.label) << dir;
        EXPECT_EQ(check.ActionsShown(), c.state == FolderState::Valid);
        EXPECT_EQ(check.ModsDir, PathFromUtf8(dir) / "mods");
        EXPECT_EQ(check.VersionModsDir, PathFromUtf8(dir) / "mods" / "1.12.2");
    }
}

TEST_F(GameFolderCheck, FilesInPlaceOfFoldersAndMissingOrEmptyPathsAreWrong) {
    std::string dir = folder({"assets", "versions"});
    temp.write("game/versions/1.12.2", "not a folder");
    EXPECT_EQ(ValidateGameFolder(dir, noLauncher).State, FolderState::VersionMissing);
    EXPECT_EQ(ValidateGameFolder(Utf8FromPath(temp.root() / "nowhere"), noLauncher).State, FolderState::WrongPath);
    // An empty path must not be taken as the current folder, even when that one looks right.
    fs::create_directories(temp.cwd() / "versions" / "1.12.2");
    fs::create_directories(temp.cwd() / "assets");
    EXPECT_EQ(ValidateGameFolder("", noLauncher).State, FolderState::WrongPath);
}

TEST_F(GameFolderCheck, CyrillicFolderNames) {
    std::string dir = folder({"versions/1.12.2", "assets"}, "Игры");
    EXPECT_EQ(ValidateGameFolder(dir, noLauncher).State, FolderState::Valid);
}

TEST(CopyTLButton, ShownOnlyWhenTheLauncherNamesAnotherFolder) {
    struct Case { bool found; const char* launcherDir; const char* gameDir; bool shown; };
    const Case cases[] = {
        {false, "", R"(C:\Games\MC)", false},                  // no launcher file
        {true, R"(C:\Games\MC)", R"(C:\Games\MC)", false},
        {true, R"(c:\games\mc)", R"(C:\GAMES\MC)", false},      // A-Z case aside
        {true, R"(C:\Games\MC)", R"(C:\Games\Other)", true},
        {true, R"(C:\Игры)", R"(C:\ИГРЫ)", true},               // only A-Z are folded
        {true, R"(C:\Игры)", R"(c:\Игры)", false},
        {true, "", R"(C:\Games\MC)", false},                    // launcher file without a folder
    };
    for (const Case& c : cases) {
        LauncherInfo launcher{c.found, c.launcherDir};
        EXPECT_EQ(ValidateGameFolder(c.gameDir, launcher).ShowCopyTL, c.shown) << c.launcherDir << " / " << c.gameDir;
    }
}

TEST(CopyTLButton, FolderButtonWidthIsRequestedOnlyWhenItDiffers) {
    EXPECT_EQ(FolderButtonWidthRequest(true, 369), 329);
    EXPECT_EQ(FolderButtonWidthRequest(true, 329), std::nullopt);
    EXPECT_EQ(FolderButtonWidthRequest(false, 329), 369);
    EXPECT_EQ(FolderButtonWidthRequest(false, 369), std::nullopt);
    EXPECT_EQ(FolderButtonWidthRequest(false, 350), 369);  // midway through an animation
}

TEST(FolderLayout, RequestsFollowStateSizeAndCleanupHandBack) {
    const WindowSize compact{406, 133};
    struct Case { FolderState state; WindowSize window; bool returning; LayoutRequest expected; };
    const Case cases[] = {
        {FolderState::Valid, {406, 133}, false, LayoutRequest::Actions},
        {FolderState::Valid, {830, 133}, false, LayoutRequest::Actions},  // height alone decides
        {FolderState::Valid, {406, 294}, false, LayoutRequest::None},     // already grown
        {FolderState::Valid, {406, 133}, true, LayoutRequest::None},
        {FolderState::VersionMissing, {830, 294}, false, LayoutRequest::Compact},
        {FolderState::WrongPath, {830, 133}, false, LayoutRequest::Compact},  // width differs
        {FolderState::WrongPath, {406, 294}, false, LayoutRequest::Compact},
        {FolderState::WrongPath, {406, 133}, false, LayoutRequest::None},
        {FolderState::VersionMissing, {830, 294}, true, LayoutRequest::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FolderLayoutRequest(c.state, c.window, compact, c.returning), c.expected)
            << static_cast<int>(c.state) << " " << c.window.Width << "x" << c.window.Height << " " << c.returning;
}
