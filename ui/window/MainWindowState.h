#pragma once
// What the main window holds and decides, whatever toolkit draws it: the program-wide values,
// the lists of the last check, the status log, the jobs its buttons start, and every handler
// of its controls and timers. The Qt window and the Win32 window both derive from it and only
// draw (MainWindowView), so each button reaches the same core call in both.
#include <cstdint>
#include <exception>
#include <functional>
#include <filesystem>
#include <memory>
#include <string>

#include "core/check/BackgroundCheck.h"
#include "core/check/SyncLists.h"
#include "core/extras/FetchAndOpen.h"
#include "core/extras/ForgeInstall.h"
#include "core/gamefolder/LauncherGameDir.h"
#include "core/log/StatusLog.h"
#include "core/settings/IniFile.h"
#include "core/gamefolder/GameGuard.h"
#include "core/settings/OptionNotices.h"
#include "core/sync/SyncRun.h"
#include "ui/window/ClosingSequence.h"
#include "ui/window/MainCaption.h"
#include "ui/window/MainWindowView.h"

namespace packwell::window {

class CleanupDialogState;
class WindowRunHost;

class MainWindowState : public MainWindowView {
public:
    MainWindowState(const MainWindowState&) = delete;
    MainWindowState& operator=(const MainWindowState&) = delete;

    std::string GameVersion;
    std::string BaseUrl;
    std::string ModsUrlPath;
    std::filesystem::path AppDataDir;
    std::unique_ptr<IniFile> SettingsIni;
    std::unique_ptr<IniFile> ManifestIni;
    std::string GameDir;  // UTF-8, as chosen or found
    std::filesystem::path ModsDir;
    std::filesystem::path VersionModsDir;
    packwell::LauncherInfo Launcher;  // LauncherFound and LauncherGameDir
    bool ReturnFromCleanup = false;
    packwell::StatusLog StatusLog;
    // MissingList and DeleteList of the last check that fetched its manifest.
    packwell::SyncLists Lists;

    // The window's caption, and the welcome text naming its two main buttons by their captions.
    std::string Caption() const;
    std::string WelcomeText(const std::string& checkCaption, const std::string& downloadCaption) const;
    std::string WelcomeText() const { return WelcomeText(CheckCaption(), DownloadCaption()); }

    // --- start-up and closing ---
    void Timer1Timer();
    void Timer5Timer();
    void Timer6Timer();
    // Every close request: refused, the closing sequence starts instead.
    bool FormCloseQuery();
    void sButtonExitClick() { RequestClose(); }
    // The closing sequence has begun; nothing waits for the window any more.
    virtual bool Closing() const = 0;
    int AlphaBlendValue() const { return alphaBlendValue_; }
    bool AlphaBlend() const { return alphaBlend_; }

    // --- the game folder ---
    void LoadSettings();
    bool FindLauncherGameDir();
    void SaveSettings();
    void ValidateGameFolder();
    // The running-game guard, the last step of every validation.
    void GuardAgainstRunningGame();
    void sButtonSetFolderClick();
    void sButtonCopyTLClick();
    void sButtonOpenFolderClick();
    void sEdit1DblClick();
    void sEdit1Enter() { FocusButton1(); }

    // --- actions ---
    bool conecteon();
    // Returns at once; the check goes on off this thread with the window disabled.
    void sButtonCheckClick();
    void sButtonDownloadClick();
    // A tick box released by the mouse, after it took its new state. A keyboard toggle
    // changes the box and is stored with the next save.
    void OptionReleased(OptionBox box);
    // "Setups+" and "Forge Install" in the title bar.
    void SetupsPlusItemReleased();
    void ForgeItemReleased();
    // True when a fresh copy was downloaded; a call during its own download does nothing.
    // Returns once the program is opened and the layout is back; the window lives meanwhile.
    bool StartSetupsPlus();

    // --- layouts, the status panel, the log ---
    // 0 no bars, 1 one bar across, 2 five bars; returns when the window has the new height,
    // when nothing animates any more, or when the program is closing.
    void ChngSize(std::uint8_t SScript);
    void RequestActionsLayout();
    void RequestCompactLayout();
    void sGroupBox3MouseMove();
    // Asked at every press on a drag area: refused while anything animates.
    bool sLabel1MouseDown();
    void sMemo1DblClick();

    // Runs a handler; an error it raises reaches the user in the standard error box.
    // Returns false when it raised.
    bool Guarded(const std::function<void()>& handler);

    bool CheckRunning() const { return check_.Running(); }
    // The run of the last press of "Запуск синхронизации"; null before the first.
    const SyncRun* Run() const { return run_.get(); }
    // Turbo: items not yet handed out (0 outside a Turbo run).
    std::int32_t ItemNumber() const;

protected:
    // `post` hands a function to the window's thread; `opener` opens a fetched program.
    MainWindowState(PostToUi post, FileOpener opener);
    ~MainWindowState();

    // The values and files of the window's creation: the server, the AppData folder and its
    // two INI files.
    void LoadProgramValues();
    // Closing: the run, the check and the item downloads stop now; their cut-off downloads
    // leave nothing under a file's name, and nothing starts any more.
    void StopJobs();
    // Stops and joins the run's workers: the window calls it from its destructor, while the
    // bars and the log they drive still exist.
    void EndRun() { run_.reset(); }

private:
    friend class WindowRunHost;
    friend class CleanupDialogState;

    void CheckEnded(CheckResult result, std::exception_ptr error);
    void ClosingStep();
    std::function<void(int layout)> LayoutSwitch();

    // Before the jobs, so that they outlive them: the run drives the window through the host.
    PostToUi post_;
    std::unique_ptr<WindowRunHost> runHost_;
    std::unique_ptr<SyncRun> run_;
    FetchAndOpen setupsPlus_;
    ForgeInstall forge_;
    BackgroundCheck check_;
    std::unique_ptr<GameGuard> gameGuard_;
    ClosingSequence closing_;
    int alphaBlendValue_ = 255;
    bool alphaBlend_ = false;
};

}  // namespace packwell::window
