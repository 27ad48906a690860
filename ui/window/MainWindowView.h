#pragma once
// What a toolkit's main window does for the decisions in MainWindowState: it shows values in
// its controls, reads its ticks, runs its timers and animations, and hands things to the
// desktop. Nothing here decides anything; each function is a few lines of Qt or Win32.
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/extras/FetchAndOpen.h"
#include "core/gamefolder/GameGuard.h"
#include "net/FutureDownloads/ProgressBar.h"
#include "ui/window/AnimationEngine.h"
#include "ui/window/MainLayouts.h"

namespace packwell::window {

// The window's three timers, by their role.
enum class MainTimer {
    Startup,     // one tick after creation: settings, welcome, first validation
    Validation,  // every second: the game folder
    Dispatcher,  // the Turbo dispatcher's tick, then the closing fade
};

// Starts a fetch of a program, with the handler its end calls.
using FetchStarter = std::function<FetchStart(FetchAndOpen::Ended)>;

class MainWindowView {
public:
    // The application's standard error box.
    virtual void ShowError(const std::exception& error) = 0;

protected:
    ~MainWindowView() = default;

    // --- the game folder group ---
    virtual void ShowGameDir(const std::string& dir) = 0;          // the path field
    virtual void SetPickerFolder(const std::string& dir) = 0;      // where the folder picker opens
    virtual std::optional<std::string> ChooseFolder() = 0;         // nothing after Cancel
    virtual void ShowFolderLabel(const std::string& text) = 0;
    // The actions group (shown and enabled together) and the title bar's two items.
    virtual void ShowActions(bool shown) = 0;
    virtual void ShowCopyTL(bool shown) = 0;
    virtual int FolderButtonWidth() const = 0;
    virtual void AnimateFolderButton(int width, double speed, const std::string& task) = 0;
    virtual void CopyPathToClipboard() = 0;
    virtual void OpenFolder(const std::filesystem::path& folder) = 0;
    virtual void ShowGameWarning() = 0;  // modal, returns once it is closed
    virtual GameGuardPlatform GamePlatform() const = 0;

    // --- the actions ---
    virtual bool TurboTicked() const = 0;
    virtual bool SetupsTicked() const = 0;
    virtual void SetTicks(bool turbo, bool setups) = 0;
    virtual std::string CheckCaption() const = 0;
    virtual std::string DownloadCaption() const = 0;
    virtual void EnableWindow(bool enabled) = 0;
    virtual void EnableDownload(bool enabled) = 0;
    virtual void FocusDownload() = 0;
    virtual void FocusButton1() = 0;  // the focus holder beyond every layout's edge
    // Whether the computer is online; empty asks the system.
    virtual std::function<bool()> ConnectivityProbe() const = 0;
    // Bar 1 to 5 as a download drives it, from any thread.
    virtual FutureDownloads::ProgressBar* BarAdapter(int number) const = 0;
    // Handles the window's events until the fetch `start` begins has ended; true when a fresh
    // copy arrived.
    virtual bool AwaitFetch(const FetchStarter& start) = 0;
    // Hides this window and morphs the cleanup dialog out of it.
    virtual void ShowCleanupDialog() = 0;

    // --- the status group, the log and the bars ---
    virtual void ShowStatusGroup() = 0;
    virtual void ShowBars(const BarsLayout& bars) = 0;
    virtual void OpenTextFile(const std::filesystem::path& file) = 0;
    virtual void ShowExportError(const std::string& reason) = 0;

    // --- the window: geometry, animation, timers, alpha, the end ---
    virtual Size WindowSize() const = 0;
    virtual int WindowTop() const = 0;
    virtual Size ScreenSize() const = 0;
    virtual MainLayouts Layouts() const = 0;
    virtual int FolderGroupBottom() const = 0;
    virtual void AnimateWindow(const anim::Targets& to, double speed, const std::string& task) = 0;
    virtual bool Animating() const = 0;
    virtual std::string AnimationTask() const = 0;
    virtual void StopAnimations() = 0;
    // Lets the window handle what is pending for about a millisecond (a layout wait).
    virtual void PumpEvents() = 0;
    virtual void StartTimer(MainTimer timer) = 0;
    virtual void StopTimer(MainTimer timer) = 0;
    virtual bool TimerActive(MainTimer timer) const = 0;
    // The closing mark (the dispatcher timer's tag): set once, never cleared.
    virtual void MarkClosing() = 0;
    virtual void SetAlpha(int alpha) = 0;
    virtual void RequestClose() = 0;  // as the close box would
    virtual void Terminate() = 0;     // ends the message loop
};

}  // namespace packwell::window
