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
class WindowRunHost;

namespace packwell::ui {
class QtProgressBar;
}

namespace skin {
class TsSkinManager;
class TsTitleBar;
class WindowDrag;
}  // namespace skin

class TVantorCompatibility : public QWidget {
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

    // --- program-wide values ---
    std::string GameVersion;
    std::string BaseUrl;
    std::string ModsUrlPath;
    std::filesystem::path AppDataDir;
    std::unique_ptr<packwell::IniFile> SettingsIni;
    std::unique_ptr<packwell::IniFile> ManifestIni;
    std::string GameDir;  // UTF-8, as chosen or found
    std::filesystem::path ModsDir;
    std::filesystem::path VersionModsDir;
    packwell::LauncherInfo Launcher;  // LauncherFound and LauncherGameDir
    bool ReturnFromCleanup = false;
    packwell::StatusLog StatusLog;
    // MissingList and DeleteList of the last check that fetched its manifest.
    packwell::SyncLists Lists;
    // Created with the window, hidden until files may be deleted.
    std::unique_ptr<TVantorCompatibility2> CleanupDialog;

    // --- layouts (outer sizes computed from the present control geometry) ---
    packwell::window::MainLayouts Layouts() const;
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

    // --- creation, start-up and closing ---
    void FormCreate();
    void FormShow();
    void Timer1Timer();
    void Timer5Timer();
    void Timer6Timer();
    // Every close request: refused, the closing sequence starts instead.
    bool FormCloseQuery();
    void sButtonExitClick();
    int AlphaBlendValue() const { return alphaBlendValue_; }
    bool AlphaBlend() const { return alphaBlend_; }
    // The closing sequence has begun; nothing waits for the window any more.
    bool Closing() const;
    std::string WelcomeText() const;

    // --- layouts ---
    // 0 no bars, 1 one bar across, 2 five bars; returns when the window has the new height,
    // when nothing animates any more, or when the program is closing.
    void ChngSize(std::uint8_t SScript);
    void RequestActionsLayout();
    void RequestCompactLayout();
    void sGroupBox3MouseMove();
    // Asked at every press on a drag area: refused while anything animates.
    bool sLabel1MouseDown();
    void sMemo1DblClick();

    // --- the game folder ---
    void LoadSettings();
    bool FindLauncherGameDir();
    void ValidateGameFolder();
    // The running-game guard, the last step of every validation.
    void GuardAgainstRunningGame();
    void SaveSettings();
    void sButtonSetFolderClick();
    void sButtonCopyTLClick();
    void sButtonOpenFolderClick();
    void sEdit1DblClick();
    void sEdit1Enter();

    // --- actions ---
    // Returns at once; the check goes on off this thread with the window disabled.
    void sButtonCheckClick();
    bool CheckRunning() const { return check_.Running(); }
    void sButtonDownloadClick();
    bool conecteon();
    void sCheckBox1MouseUp(Qt::MouseButton button);
    void sCheckBox2MouseUp(Qt::MouseButton button);
    void sTitleBar1Items0MouseUp(Qt::MouseButton button);  // "Setups+"
    void sTitleBar1Items2MouseUp(Qt::MouseButton button);  // "Forge Install"
    // True when a fresh copy was downloaded; a call during its own download does nothing.
    // Returns once the program is opened and the layout is back; the window lives meanwhile.
    bool StartSetupsPlus();
    // Hides this window and morphs the cleanup dialog out of it.
    void ShowCleanupDialog();
    // The run of the last press of "Запуск синхронизации"; null before the first.
    const packwell::SyncRun* Run() const { return run_.get(); }
    // Turbo: items not yet handed out (0 outside a Turbo run).
    std::int32_t ItemNumber() const;
    // Bar 1 to 5 as a download drives it, from any thread.
    FutureDownloads::ProgressBar* BarAdapter(int number) const;

    // Runs a handler; an error it raises reaches the user in the standard error box.
    // Returns false when it raised.
    bool Guarded(const std::function<void()>& handler);
    // The application's standard error box.
    void ShowError(const std::exception& error);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildTitleBar();
    void WireEvents();
    void AppendToMemo(const std::vector<std::string>& lines);
    void ClosingStep();
    void SetAlpha(int value);
    void CentreOnScreen();
    void AnswerToggle(packwell::OptionBox box, const QCheckBox* checkBox);
    std::function<void(int layout)> LayoutSwitch();
    // Hands a function to this window's thread; what it raises reaches the error box.
    packwell::PostToUi UiPoster();
    void CheckEnded(packwell::CheckResult result, std::exception_ptr error);
    // Handles the window's events until the fetch that `start` begins has ended; true when a
    // fresh copy arrived.
    bool WaitForFetch(const std::function<packwell::FetchStart(packwell::FetchAndOpen::Ended)>& start);

    WindowServices services_;
    skin::WindowDrag* drag_ = nullptr;
    std::unique_ptr<packwell::GameGuard> gameGuard_;
    int alphaBlendValue_ = 255;
    bool alphaBlend_ = false;
    packwell::window::ClosingSequence closing_;
    std::array<std::unique_ptr<packwell::ui::QtProgressBar>, 5> barAdapters_;
    std::unique_ptr<WindowRunHost> runHost_;
    std::unique_ptr<packwell::SyncRun> run_;
    packwell::FetchAndOpen setupsPlus_;
    packwell::ForgeInstall forge_;
    packwell::BackgroundCheck check_;
};
