// The game folder group: discovery at start-up, the validation every second and its handlers.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/gamefolder/GameFolder.h"
#include "core/gamefolder/LoadSettings.h"
#include "core/settings/Settings.h"
#include "core/Utf8Path.h"
#include "ui/qt/FutureAnimations.h"
#include "ui/qt/Unit1.h"
#include "ui/qt/skin/TitleBar.h"

namespace {
constexpr double kSpeed = 0.2;
}

void TVantorCompatibility::LoadSettings() {
    const packwell::StartupSettings settings = packwell::LoadSettings(*SettingsIni, Launcher);
    GameDir = settings.GameDir;
    sEdit1->setText(QString::fromStdString(GameDir));
    sPathDialog1.Path = QString::fromStdString(GameDir);
    sCheckBox1->setChecked(settings.Turbo);
    sCheckBox2->setChecked(settings.ExtraOptions);
}

bool TVantorCompatibility::FindLauncherGameDir() { return packwell::FindLauncherGameDir(Launcher); }

void TVantorCompatibility::SaveSettings() {
    packwell::settings::SaveSettings(*SettingsIni, {GameDir, sCheckBox1->isChecked(), sCheckBox2->isChecked()});
}

void TVantorCompatibility::ValidateGameFolder() {
    sEdit1->setText(QString::fromStdString(GameDir));
    const packwell::FolderCheck check = packwell::ValidateGameFolder(GameDir, Launcher);
    ModsDir = check.ModsDir;
    VersionModsDir = check.VersionModsDir;

    const bool valid = check.ActionsShown();
    sLabel1->setText(QString::fromStdString(check.Label));
    sGroupBox3->setEnabled(valid);
    sGroupBox3->setVisible(valid);
    sTitleBar1->Item(0)->setVisible(valid);
    sTitleBar1->Item(1)->setVisible(valid);
    switch (packwell::FolderLayoutRequest(check.State, {width(), height()}, {CompactWidth(), CompactHeight()},
                                          ReturnFromCleanup)) {
    case packwell::LayoutRequest::Actions: RequestActionsLayout(); break;
    case packwell::LayoutRequest::Compact: RequestCompactLayout(); break;
    case packwell::LayoutRequest::None: break;
    }

    sButtonCopyTL->setEnabled(check.ShowCopyTL);
    sButtonCopyTL->setVisible(check.ShowCopyTL);
    if (const auto widthWanted = packwell::FolderButtonWidthRequest(check.ShowCopyTL, sButtonSetFolder->width()))
        FutureAnimations::AnimateControl(sButtonSetFolder, FutureAnimations::kKeep, FutureAnimations::kKeep,
                                         *widthWanted, FutureAnimations::kKeep, kSpeed, packwell::kCopyTLTask);

    GuardAgainstRunningGame();
}

void TVantorCompatibility::Timer5Timer() {
    // The check works on the folders meanwhile; the first tick after it validates again.
    if (check_.Running()) return;
    Guarded([this] { ValidateGameFolder(); });
    if (ReturnFromCleanup && width() == FullWidth()) ReturnFromCleanup = false;
}

void TVantorCompatibility::sButtonSetFolderClick() {
    if (const auto chosen = sPathDialog1.Execute(this)) GameDir = chosen->toStdString();
    Guarded([this] {
        SaveSettings();
        ValidateGameFolder();
    });
}

void TVantorCompatibility::sButtonCopyTLClick() {
    Guarded([this] {
        FindLauncherGameDir();  // when the file is gone, the folder found earlier stays
        GameDir = Launcher.GameDir;
        sEdit1->setText(QString::fromStdString(GameDir));
        sPathDialog1.Path = QString::fromStdString(GameDir);
        ValidateGameFolder();
        SaveSettings();
    });
}

void TVantorCompatibility::sButtonOpenFolderClick() {
    std::error_code error;
    const std::filesystem::path folder = packwell::PathFromUtf8(GameDir);
    if (GameDir.empty() || !std::filesystem::is_directory(folder, error)) return;
    Guarded([&] { services_.openFolder(folder); });
}

void TVantorCompatibility::sEdit1DblClick() {
    sEdit1->selectAll();
    QApplication::clipboard()->setText(sEdit1->text());
    sEdit1->deselect();
    sLabel1->setText(QString::fromUtf8(packwell::kLabelCopied));
    // The next validation rewrites the label: let it come a full second from now.
    Timer5->stop();
    if (!Closing()) Timer5->start();
}

void TVantorCompatibility::sEdit1Enter() { Button1->setFocus(); }

void TVantorCompatibility::GuardAgainstRunningGame() {
    if (!gameGuard_) {
        gameGuard_ = std::make_unique<packwell::GameGuard>(
            services_.gamePlatform,
            packwell::GameGuardWindow{.PauseTimer = [this] { Timer5->stop(); },
                                      .ShowWarning = [this] { services_.showGameWarning(this); },
                                      .ResumeTimer = [this] {
                                          if (!Closing()) Timer5->start();
                                      }});
    }
    gameGuard_->Check();
}
