#pragma once
// The main window: the game-folder group, the actions, the status log, the progress bars and
// the title bar, with its layouts, its start-up tick and its closing fade.
#include <QCloseEvent>
#include <QWidget>
#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/check/BackgroundCheck.h"
#include "core/extras/FetchAndOpen.h"
#include "core/extras/ForgeInstall.h"
#include "core/settings/IniFile.h"
#include "core/gamefolder/LauncherGameDir.h"
#include "core/settings/OptionNotices.h"
#include "core/log/StatusLog.h"
#include "core/check/SyncLists.h"
#include "core/sync/SyncRun.h"
#include "ui/qt/TaggedTimer.h"
#include "ui/window/ClosingSequence.h"
#include "ui/window/MainLayouts.h"
#include "ui/window/MainWindowState.h"
#include "ui/qt/WindowServices.h"
#include "ui/qt/skin/Controls.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

class TVantorCompatibility2;

namespace packwell::ui {
class QtProgressBar;
}

namespace skin {
class TsSkinManager;
class TsTitleBar;
class WindowDrag;
}  // namespace skin

class TVantorCompatibility : public QWidget, public packwell::window::MainWindowState {
    Q_OBJECT
public:
    // Frame drawn around the client area; with the title bar it makes the allowances of the
    // layouts (13 across, 36 down, 8 of each being the margin inside).
    static constexpr int kFrame = 3;
    static constexpr int kWelcomeLineCount = 4;

    explicit TVantorCompatibility(WindowServices services = WindowServices::Defaults(),
                                  QWidget* parent = nullptr);
    ~TVantorCompatibility() override;

    // --- controls (named as the window definition names them) ---
    skin::TsTitleBar* sTitleBar1 = nullptr;
    QWidget* sClient = nullptr;  // the client area under the title bar
    QGroupBox* sGroupBox2 = nullptr;
    QLineEdit* sEdit1 = nullptr;
    QPushButton* sButtonOpenFolder = nullptr;
    QLabel* sLabel1 = nullptr;
    QPushButton* sButtonSetFolder = nullptr;
    QPushButton* sButtonCopyTL = nullptr;
    QGroupBox* sGroupBox3 = nullptr;
    QPushButton* sButtonCheck = nullptr;
    QPushButton* sButtonDownload = nullptr;
    skin::TsCheckBox* sCheckBox1 = nullptr;
    skin::TsCheckBox* sCheckBox2 = nullptr;
    QPushButton* sButtonExit = nullptr;
    QGroupBox* sGroupBox1 = nullptr;
    QPlainTextEdit* sMemo1 = nullptr;
    QProgressBar* sProgressBar1 = nullptr;
    QProgressBar* sProgressBar2 = nullptr;
    QProgressBar* sProgressBar3 = nullptr;
    QProgressBar* sProgressBar4 = nullptr;
    QProgressBar* sProgressBar5 = nullptr;
    QPushButton* Button1 = nullptr;  // focus holder, beyond every layout's right edge
    QTimer* Timer1 = nullptr;
    QTimer* Timer5 = nullptr;
    TTaggedTimer* Timer6 = nullptr;
    skin::TsPathDialog sPathDialog1;
    skin::TsSkinManager* sSkinManager1 = nullptr;

    // Bar 1 to 5 by number.
    QProgressBar* ProgressBar(int number) const;

    // Created with the window, hidden until files may be deleted.
    std::unique_ptr<TVantorCompatibility2> CleanupDialog;

    // --- layouts (outer sizes computed from the present control geometry) ---
    packwell::window::MainLayouts Layouts() const override;
    int CompactWidth() const;
    int CompactHeight() const;
    int ActionsHeight() const;
    int FullWidth() const;
    int ProgressHeight() const;
    int ClientWidth() const { return width() - 2 * kFrame; }

    // --- the status log: the four forms (literal 0/1 mean IsHead) ---
    void Console(std::uint8_t IsHead, bool NdTime, const std::string& outt);
    void Console(std::uint8_t IsHead, const std::string& outt) { Console(IsHead, true, outt); }
    void Console(bool NdTime, const std::string& outt) { Console(std::uint8_t{0}, NdTime, outt); }
    void Console(const std::string& outt) { Console(std::uint8_t{0}, true, outt); }
    void Console(int IsHead, const std::string& outt) { Console(static_cast<std::uint8_t>(IsHead), true, outt); }
    void Console(int IsHead, bool NdTime, const std::string& outt) {
        Console(static_cast<std::uint8_t>(IsHead), NdTime, outt);
    }

    // --- creation and the Qt faces of the handlers ---
    void FormCreate();
    void FormShow();
    bool Closing() const override { return Timer6->Tag == 1; }
    void sCheckBox1MouseUp(Qt::MouseButton) { OptionReleased(packwell::OptionBox::Turbo); }
    void sCheckBox2MouseUp(Qt::MouseButton) { OptionReleased(packwell::OptionBox::Setups); }
    void sTitleBar1Items0MouseUp(Qt::MouseButton) { SetupsPlusItemReleased(); }  // "Setups+"
    void sTitleBar1Items2MouseUp(Qt::MouseButton) { ForgeItemReleased(); }       // "Forge Install"

    // The application's standard error box.
    void ShowError(const std::exception& error) override;
    // Hides this window and morphs the cleanup dialog out of it.
    void ShowCleanupDialog() override;
    // Bar 1 to 5 as a download drives it, from any thread.
    FutureDownloads::ProgressBar* BarAdapter(int number) const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // --- what the window shows for the decisions ---
    void ShowGameDir(const std::string& dir) override;
    void SetPickerFolder(const std::string& dir) override;
    std::optional<std::string> ChooseFolder() override;
    void ShowFolderLabel(const std::string& text) override;
    void ShowActions(bool shown) override;
    void ShowCopyTL(bool shown) override;
    int FolderButtonWidth() const override;
    void AnimateFolderButton(int width, double speed, const std::string& task) override;
    void CopyPathToClipboard() override;
    void OpenFolder(const std::filesystem::path& folder) override;
    void ShowGameWarning() override;
    packwell::GameGuardPlatform GamePlatform() const override { return services_.gamePlatform; }
    bool TurboTicked() const override;
    bool SetupsTicked() const override;
    void SetTicks(bool turbo, bool setups) override;
    std::string CheckCaption() const override;
    std::string DownloadCaption() const override;
    void EnableWindow(bool enabled) override { setEnabled(enabled); }
    void EnableDownload(bool enabled) override;
    void FocusDownload() override;
    void FocusButton1() override;
    std::function<bool()> ConnectivityProbe() const override { return services_.isConnected; }
    bool AwaitFetch(const packwell::window::FetchStarter& start) override;
    void ShowStatusGroup() override;
    void ShowBars(const packwell::window::BarsLayout& bars) override;
    void ScrollLogToEnd() override;
    void OpenTextFile(const std::filesystem::path& file) override;
    void ShowExportError(const std::string& reason) override;
    packwell::window::Size WindowSize() const override;
    int WindowTop() const override { return y(); }
    packwell::window::Size ScreenSize() const override;
    int FolderGroupBottom() const override;
    void AnimateWindow(const packwell::anim::Targets& to, double speed, const std::string& task) override;
    bool Animating() const override;
    std::string AnimationTask() const override;
    void StopAnimations() override;
    void PumpEvents() override;
    void StartTimer(packwell::window::MainTimer timer) override;
    void StopTimer(packwell::window::MainTimer timer) override;
    bool TimerActive(packwell::window::MainTimer timer) const override;
    void MarkClosing() override { Timer6->Tag = 1; }
    void SetAlpha(int alpha) override { setWindowOpacity(alpha / 255.0); }
    void RequestClose() override { close(); }
    void Terminate() override { services_.terminate(); }

    QTimer* TimerOf(packwell::window::MainTimer timer) const;
    void BuildControls();
    void BuildTitleBar();
    void WireEvents();
    void AppendToMemo(const std::vector<std::string>& lines);
    void CentreOnScreen();
    // Hands a function to this window's thread; what it raises reaches the error box.
    packwell::PostToUi UiPoster();

    WindowServices services_;
    skin::WindowDrag* drag_ = nullptr;
    std::array<std::unique_ptr<packwell::ui::QtProgressBar>, 5> barAdapters_;
};
