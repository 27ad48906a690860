// The game folder group: discovery at start-up, the validation every second and its handlers.
#include "core/Utf8Path.h"
#include "core/gamefolder/GameFolder.h"
#include "core/gamefolder/LoadSettings.h"
#include "core/settings/Settings.h"
#include "ui/window/MainWindowState.h"

namespace packwell::window {

void MainWindowState::LoadSettings() {
    const StartupSettings settings = packwell::LoadSettings(*SettingsIni, Launcher);
    GameDir = settings.GameDir;
    ShowGameDir(GameDir);
    SetPickerFolder(GameDir);
    SetTicks(settings.Turbo, settings.ExtraOptions);
}

bool MainWindowState::FindLauncherGameDir() { return packwell::FindLauncherGameDir(Launcher); }

void MainWindowState::SaveSettings() {
    settings::SaveSettings(*SettingsIni, {GameDir, TurboTicked(), SetupsTicked()});
}

void MainWindowState::ValidateGameFolder() {
    ShowGameDir(GameDir);
    const FolderCheck check = packwell::ValidateGameFolder(GameDir, Launcher);
    ModsDir = check.ModsDir;
    VersionModsDir = check.VersionModsDir;

    ShowFolderLabel(check.Label);
    ShowActions(check.ActionsShown());
    const Size window = WindowSize();
    const MainLayouts layouts = Layouts();
    switch (FolderLayoutRequest(check.State, {window.width, window.height},
                                {layouts.compactWidth, layouts.compactHeight}, ReturnFromCleanup)) {
    case LayoutRequest::Actions: RequestActionsLayout(); break;
    case LayoutRequest::Compact: RequestCompactLayout(); break;
    case LayoutRequest::None: break;
    }

    ShowCopyTL(check.ShowCopyTL);
    if (const auto widthWanted = FolderButtonWidthRequest(check.ShowCopyTL, FolderButtonWidth()))
        AnimateFolderButton(*widthWanted, kLayoutSpeed, kCopyTLTask);

    GuardAgainstRunningGame();
}

void MainWindowState::Timer5Timer() {
    // The check works on the folders meanwhile; the first tick after it validates again.
    if (check_.Running()) return;
    Guarded([this] { ValidateGameFolder(); });
    if (ReturnFromCleanup && WindowSize().width == Layouts().fullWidth) ReturnFromCleanup = false;
}

void MainWindowState::sButtonSetFolderClick() {
    if (const auto chosen = ChooseFolder()) GameDir = *chosen;
    Guarded([this] {
        SaveSettings();
        ValidateGameFolder();
    });
}

void MainWindowState::sButtonCopyTLClick() {
    Guarded([this] {
        FindLauncherGameDir();  // when the file is gone, the folder found earlier stays
        GameDir = Launcher.GameDir;
        ShowGameDir(GameDir);
        SetPickerFolder(GameDir);
        ValidateGameFolder();
        SaveSettings();
    });
}

void MainWindowState::sButtonOpenFolderClick() {
    std::error_code error;
    const std::filesystem::path folder = PathFromUtf8(GameDir);
    if (GameDir.empty() || !std::filesystem::is_directory(folder, error)) return;
    Guarded([&] { OpenFolder(folder); });
}

void MainWindowState::sEdit1DblClick() {
    CopyPathToClipboard();
    ShowFolderLabel(kLabelCopied);
    // The next validation rewrites the label: let it come a full second from now.
    StopTimer(MainTimer::Validation);
    if (!Closing()) StartTimer(MainTimer::Validation);
}

void MainWindowState::GuardAgainstRunningGame() {
    if (!gameGuard_) {
        gameGuard_ = std::make_unique<GameGuard>(
            GamePlatform(), GameGuardWindow{.PauseTimer = [this] { StopTimer(MainTimer::Validation); },
                                            .ShowWarning = [this] { ShowGameWarning(); },
                                            .ResumeTimer = [this] {
                                                if (!Closing()) StartTimer(MainTimer::Validation);
                                            }});
    }
    gameGuard_->Check();
}

}  // namespace packwell::window
