#pragma once
// What the main window holds, whatever toolkit draws it: the program-wide values, the lists of
// the last check, the status log, and the jobs its buttons start. The Qt window and the Win32
// window both derive from it, so each button reaches the same core call in both.
#include <cstdint>
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
#include "core/sync/SyncRun.h"
#include "ui/window/MainCaption.h"

namespace packwell::window {

class MainWindowState {
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

    bool CheckRunning() const { return check_.Running(); }
    // The run of the last press of "Запуск синхронизации"; null before the first.
    const SyncRun* Run() const { return run_.get(); }
    // Turbo: items not yet handed out (0 outside a Turbo run).
    std::int32_t ItemNumber() const;

protected:
    // `post` hands a function to the window's thread; `opener` opens a fetched program.
    MainWindowState(PostToUi post, FileOpener opener);
    ~MainWindowState() = default;

    // The values and files of the window's creation: the server, the AppData folder and its
    // two INI files.
    void LoadProgramValues();
    // Closing: the run, the check and the item downloads stop now; their cut-off downloads
    // leave nothing under a file's name, and nothing starts any more.
    void StopJobs();
    // Stops and joins the run's workers: the window calls it from its destructor, while the
    // bars and the log they drive still exist.
    void EndRun() { run_.reset(); }

    std::unique_ptr<SyncRun> run_;
    FetchAndOpen setupsPlus_;
    ForgeInstall forge_;
    BackgroundCheck check_;
};

}  // namespace packwell::window
