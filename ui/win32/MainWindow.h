#pragma once
// The main window TVantorCompatibility as a native window: a borderless layered popup (the
// program draws its own title bar), in the compact layout, centred in the work area. What it
// decides comes from MainWindowState, as in the Qt window; here it only shows it.
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "ui/win32/MainControls.h"
#include "ui/win32/MainTimers.h"
#include "ui/win32/UiQueue.h"
#include "ui/win32/Win32ProgressBar.h"
#include "ui/win32/WindowAnimations.h"
#include "ui/win32/WindowServices.h"
#include "ui/window/MainWindowState.h"

namespace packwell::win32 {

// A second copy of the program looks for a window of this class (the single-instance guard).
inline constexpr const wchar_t* kMainWindowClass = L"TVantorCompatibility";

class CleanupDialog;

class MainWindow final : public window::MainWindowState, private MainControlEvents {
public:
    explicit MainWindow(WindowServices services = WindowServices::Defaults());
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Registers the class and creates the window hidden with its controls; false when Windows
    // refuses either.
    bool Create(HINSTANCE instance);
    // Shows the window centred in the work area at its present size.
    void Show();
    // Back from the cleanup dialog: takes its place and size and is shown centred at that size.
    void ShowInPlace(const RECT& place);
    HWND Handle() const { return window_; }
    MainControls* Controls() const { return controls_.get(); }
    // Created hidden with the window, shown when files may be deleted.
    CleanupDialog* Cleanup() const { return cleanup_.get(); }

    bool Closing() const override { return closing_; }
    // Hides this window and morphs the cleanup dialog out of it.
    void ShowCleanupDialog() override;
    void ShowError(const std::exception& error) override;
    FutureDownloads::ProgressBar* BarAdapter(int number) const override;
    window::MainLayouts Layouts() const override;

private:
    MainWindow(WindowServices services, std::shared_ptr<UiQueue> queue);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // A control's place in its parent, in units of 96 dots per inch.
    RECT Placement96(HWND control) const;

    // --- what the window shows for the decisions ---
    void ShowGameDir(const std::string& dir) override;
    void SetPickerFolder(const std::string& dir) override { pickerFolder_ = dir; }
    std::optional<std::string> ChooseFolder() override;
    void ShowFolderLabel(const std::string& text) override;
    void ShowActions(bool shown) override;
    void ShowCopyTL(bool shown) override;
    int FolderButtonWidth() const override;
    void AnimateFolderButton(int width, double speed, const std::string& task) override;
    void CopyPathToClipboard() override;
    void OpenFolder(const std::filesystem::path& folder) override { services_.openFolder(folder); }
    void ShowGameWarning() override { services_.showGameWarning(window_); }
    GameGuardPlatform GamePlatform() const override { return services_.gamePlatform; }
    bool TurboTicked() const override;
    bool SetupsTicked() const override;
    void SetTicks(bool turbo, bool setups) override;
    std::string CheckCaption() const override;
    std::string DownloadCaption() const override;
    void EnableWindow(bool enabled) override;
    void EnableDownload(bool enabled) override;
    void FocusDownload() override;
    void FocusButton1() override;
    std::function<bool()> ConnectivityProbe() const override { return services_.isConnected; }
    bool AwaitFetch(const window::FetchStarter& start) override;
    void ShowStatusGroup() override;
    void ShowBars(const window::BarsLayout& bars) override;
    void ScrollLogToEnd() override;
    void OpenTextFile(const std::filesystem::path& file) override { services_.openTextFile(file); }
    void ShowExportError(const std::string& reason) override;
    window::Size WindowSize() const override;
    int WindowTop() const override;
    window::Size ScreenSize() const override;
    int FolderGroupBottom() const override;
    void AnimateWindow(const anim::Targets& to, double speed, const std::string& task) override;
    bool Animating() const override { return animations_ && animations_->Animating(); }
    std::string AnimationTask() const override { return animations_ ? animations_->CurrentTask() : std::string(); }
    void StopAnimations() override;
    void PumpEvents() override;
    void StartTimer(window::MainTimer timer) override { timers_.Start(timer); }
    void StopTimer(window::MainTimer timer) override { timers_.Stop(timer); }
    bool TimerActive(window::MainTimer timer) const override { return timers_.Active(timer); }
    void MarkClosing() override { closing_ = true; }
    void SetAlpha(int alpha) override;
    void RequestClose() override;
    void Terminate() override { services_.terminate(); }

    // --- the controls' events ---
    void ButtonCheckClick() override { sButtonCheckClick(); }
    void ButtonDownloadClick() override { sButtonDownloadClick(); }
    void ButtonExitClick() override { sButtonExitClick(); }
    void ButtonSetFolderClick() override { sButtonSetFolderClick(); }
    void ButtonCopyTLClick() override { sButtonCopyTLClick(); }
    void ButtonOpenFolderClick() override { sButtonOpenFolderClick(); }
    void CheckBox1MouseUp(MouseButton) override { OptionReleased(OptionBox::Turbo); }
    void CheckBox2MouseUp(MouseButton) override { OptionReleased(OptionBox::Setups); }
    void TitleItem0MouseUp(MouseButton) override { SetupsPlusItemReleased(); }
    void TitleItem1MouseUp(MouseButton) override { ForgeItemReleased(); }
    void CloseClick() override { RequestClose(); }
    void Edit1DblClick() override { sEdit1DblClick(); }
    void Edit1Enter() override { sEdit1Enter(); }
    void Memo1DblClick() override { sMemo1DblClick(); }
    void GroupBox3MouseMove() override { sGroupBox3MouseMove(); }
    bool MayStartDrag() override { return sLabel1MouseDown(); }

    WindowServices services_;
    // Shared with the jobs' posters: a job that ends while the window goes away still finds it.
    std::shared_ptr<UiQueue> queue_;
    HWND window_ = nullptr;
    std::unique_ptr<MainControls> controls_;
    std::unique_ptr<WindowAnimations> animations_;
    std::unique_ptr<CleanupDialog> cleanup_;
    MainTimers timers_;
    std::array<std::unique_ptr<Win32ProgressBar>, 5> barAdapters_;
    std::string pickerFolder_;
    bool closing_ = false;
};

}  // namespace packwell::win32
