// What the window shows for the game folder and what its folder buttons do.
#include <QClipboard>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <atomic>

#include "core/gamefolder/GameGuard.h"
#include "tests/ui/WindowFixture.h"
#include "ui/qt/skin/TitleBar.h"

namespace packwell::test {
namespace {

namespace fs = std::filesystem;
using GameFolderWindow = WindowTest;

struct StateCase {
    const char* name;
    std::vector<std::string> subfolders;
    const char* label;
    bool actions;
};

class FolderStates : public WindowTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(FolderStates, LabelGroupItemsAndLayoutFollowTheFolder) {
    const StateCase& c = GetParam();
    const fs::path game = MakeGameFolder(home, "game", c.subfolders);
    TVantorCompatibility& w = StartWith(game);
    ASSERT_TRUE(FinishAnimations());

    EXPECT_EQ(w.sEdit1->text().toStdString(), game.string());
    EXPECT_EQ(w.ModsDir, game / "mods");
    EXPECT_EQ(w.VersionModsDir, game / "mods" / "1.12.2");
    EXPECT_EQ(w.sLabel1->text(), QString::fromUtf8(c.label));
    EXPECT_EQ(w.sGroupBox3->isVisible(), c.actions);
    EXPECT_EQ(w.sGroupBox3->isEnabled(), c.actions);
    EXPECT_EQ(w.sTitleBar1->Item(0)->isVisible(), c.actions);
    EXPECT_EQ(w.sTitleBar1->Item(1)->isVisible(), c.actions);
    EXPECT_EQ(w.size(), c.actions ? QSize(406, 294) : QSize(406, 133));
}

INSTANTIATE_TEST_SUITE_P(
    ThreeStates, FolderStates,
    ::testing::Values(StateCase{"Valid", {"versions/1.12.2", "assets"}, "Правильная директория!", true},
                      StateCase{"VersionMissing", {"versions/1.7.10", "assets"}, "Версия 1.12.2 отсутствует!", false},
                      StateCase{"WrongPath", {"versions/1.12.2"}, "Неправильный путь к папке с игрой!", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameFolderWindow, FolderLosingItsVersionReturnsTheWindowToCompactBelowCentre) {
    const fs::path game = MakeGameFolder(home, "game", {"versions/1.12.2", "assets"});
    TVantorCompatibility& w = StartWith(game);
    ASSERT_TRUE(FinishAnimations());
    ASSERT_EQ(w.height(), 294);
    w.sGroupBox3MouseMove();
    ASSERT_TRUE(FinishAnimations());
    ASSERT_EQ(w.width(), 830);

    fs::remove(game / "versions" / "1.12.2");
    w.Timer5Timer();
    ASSERT_TRUE(FinishAnimations());
    EXPECT_EQ(w.size(), QSize(406, 133));
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(w.pos(), QPoint(screen.width() / 2 - 406 / 2, screen.height() / 2 - 97 / 2));
    EXPECT_EQ(w.sLabel1->text(), QStringLiteral("Версия 1.12.2 отсутствует!"));

    // Valid again, but not from the compact height of a fresh start: only from compact.
    fs::create_directories(game / "versions" / "1.12.2");
    w.resize(406, 200);
    w.Timer5Timer();
    EXPECT_FALSE(FutureAnimations::IsAnimating());
}

TEST_F(GameFolderWindow, NoLayoutRequestWhileReturningFromCleanupUntilFullWidth) {
    const fs::path game = MakeGameFolder(home, "game", {"assets"});
    TVantorCompatibility& w = StartWith(MakeGameFolder(home, "valid", {"versions/1.12.2", "assets"}));
    ASSERT_TRUE(FinishAnimations());
    w.ReturnFromCleanup = true;
    w.GameDir = game.string();
    w.Timer5Timer();
    EXPECT_FALSE(FutureAnimations::IsAnimating());
    EXPECT_TRUE(w.ReturnFromCleanup);
    w.resize(830, 294);
    w.Timer5Timer();
    EXPECT_FALSE(w.ReturnFromCleanup);
}

TEST_F(GameFolderWindow, LauncherButtonNarrowsAndWidensTheFolderButton) {
    const fs::path saved = MakeGameFolder(home, "saved", {"versions/1.12.2", "assets"});
    const fs::path launcher = MakeGameFolder(home, "launcher", {"versions/1.12.2", "assets"});
    home.write("appdata/.tlauncher/legacy.properties", "#props\nminecraft.gamedir=" + launcher.string() + "\n");
    TVantorCompatibility& w = StartWith(saved);
    EXPECT_TRUE(w.sButtonCopyTL->isVisible());
    EXPECT_TRUE(w.sButtonCopyTL->isEnabled());
    ASSERT_TRUE(FinishAnimations());
    EXPECT_EQ(w.sButtonSetFolder->width(), 329);

    w.sButtonCopyTL->click();
    EXPECT_EQ(w.GameDir, launcher.string());
    EXPECT_EQ(w.sEdit1->text().toStdString(), launcher.string());
    EXPECT_FALSE(w.sButtonCopyTL->isVisible());
    ASSERT_TRUE(FinishAnimations());
    EXPECT_EQ(w.sButtonSetFolder->width(), 369);
    const std::string settings = readFile(w.SettingsIni->FileName());
    EXPECT_NE(settings.find("GameFolder=" + launcher.string()), std::string::npos);
}

TEST_F(GameFolderWindow, ChosenFolderIsSavedAndValidatedAndCancelKeepsTheOld) {
    const fs::path first = MakeGameFolder(home, "first", {"versions/1.12.2", "assets"});
    const fs::path chosen = MakeGameFolder(home, "chosen", {"assets"});
    TVantorCompatibility& w = StartWith(first);
    fs::remove(w.SettingsIni->FileName());

    desktop.folderToChoose.reset();
    w.sButtonSetFolder->click();
    EXPECT_EQ(desktop.dialogStartFolder.toStdString(), first.string());
    EXPECT_EQ(w.GameDir, first.string());
    EXPECT_TRUE(fs::exists(w.SettingsIni->FileName()));  // saved after Cancel too

    desktop.folderToChoose = QString::fromStdString(chosen.string());
    w.sButtonSetFolder->click();
    EXPECT_EQ(w.GameDir, chosen.string());
    EXPECT_EQ(w.sLabel1->text(), QStringLiteral("Неправильный путь к папке с игрой!"));
    EXPECT_NE(readFile(w.SettingsIni->FileName()).find("GameFolder=" + chosen.string()), std::string::npos);
}

// The folder is saved first: a name the settings file cannot hold ends the handler with the
// settings' write error, and the folder is not validated.
TEST_F(GameFolderWindow, FolderWithALineBreakGivesTheWriteError) {
    const fs::path first = MakeGameFolder(home, "first", {"versions/1.12.2", "assets"});
    const fs::path chosen = MakeGameFolder(home, "two\nlines", {"versions/1.12.2", "assets"});
    TVantorCompatibility& w = StartWith(first);
    const std::string before = readFile(w.SettingsIni->FileName());

    QString boxText;
    QTimer::singleShot(0, [&boxText] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxText = box->text();
            box->accept();
        }
    });
    desktop.folderToChoose = QString::fromStdString(chosen.string());
    w.sButtonSetFolder->click();

    EXPECT_EQ(boxText.toStdString(), "Unable to write to " + w.SettingsIni->FileName().string());
    EXPECT_EQ(readFile(w.SettingsIni->FileName()), before);
    EXPECT_EQ(w.sEdit1->text().toStdString(), first.string());  // not validated
}

TEST_F(GameFolderWindow, OpenShowsOnlyAFolderThatExists) {
    const fs::path game = MakeGameFolder(home, "game", {"versions/1.12.2", "assets"});
    TVantorCompatibility& w = StartWith(game);
    w.sButtonOpenFolder->click();
    ASSERT_EQ(desktop.openedFolders.size(), 1u);
    EXPECT_EQ(desktop.openedFolders[0], game);

    w.GameDir = (home.root() / "gone").string();
    w.sButtonOpenFolder->click();
    w.GameDir.clear();
    w.sButtonOpenFolder->click();
    EXPECT_EQ(desktop.openedFolders.size(), 1u);
}

TEST_F(GameFolderWindow, DoubleClickCopiesThePathAndTheLabelComesBackAtTheNextValidation) {
    const fs::path game = MakeGameFolder(home, "game", {"versions/1.12.2", "assets"});
    TVantorCompatibility& w = StartWith(game);
    w.sEdit1DblClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), game.string());
    EXPECT_FALSE(w.sEdit1->hasSelectedText());
    EXPECT_EQ(w.sLabel1->text(), QStringLiteral("Скопировано в буфер обмена"));
    EXPECT_TRUE(w.Timer5->isActive());
    EXPECT_GT(w.Timer5->remainingTime(), 900);

    w.Timer5Timer();  // the tick a second later
    EXPECT_EQ(w.sLabel1->text(), QStringLiteral("Правильная директория!"));
}

TEST_F(GameFolderWindow, FocusOnThePathFieldMovesToTheHiddenButton) {
    TVantorCompatibility& w = Open();
    w.Timer1->stop();
    w.activateWindow();
    w.sButtonSetFolder->setFocus();
    w.sEdit1->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.focusWidget(), w.Button1);
}

TEST_F(GameFolderWindow, RunningGameIsWarnedAboutOnceWithTheTimerPausedAndThenEnded) {
    bool gameRunning = false;
    int asked = 0;
    std::atomic<int> ended{0};  // the game is ended off the window's thread
    bool timerDuringWarning = true;
    WindowServices services = RecordingServices(desktop);
    services.gamePlatform.FindGameWindow = [&] {
        return gameRunning ? std::optional<platform::GameWindow>{{42, 4242}} : std::nullopt;
    };
    services.gamePlatform.GameProcessRunning = [&] { return gameRunning; };
    services.gamePlatform.AskToClose = [&](const platform::GameWindow& g) { asked += g.Id == 42; };
    services.gamePlatform.EndOwner = [&](const platform::GameWindow& g) { ended += g.OwnerPid == 4242; };
    services.showGameWarning = [&](QWidget*) {
        ++desktop.warnings;
        timerDuringWarning = window->Timer5->isActive();
        window->Timer5Timer();  // a validation inside the open box starts no second warning
    };
    home.write("appdata/Quorvane/Packwell/Settings.ini", "[Settings]\r\nGameFolder=/nowhere\r\n");
    window = std::make_unique<TVantorCompatibility>(std::move(services));
    window->Timer1Timer();
    EXPECT_EQ(desktop.warnings, 0);

    gameRunning = true;
    window->Timer5Timer();
    EXPECT_EQ(desktop.warnings, 1);
    EXPECT_FALSE(timerDuringWarning);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window->Timer5->isActive());
    window.reset();  // waits for the ending under way
    EXPECT_EQ(ended, 1);
}

}  // namespace
}  // namespace packwell::test
