// The window's actions: each calls the core and shows the result.
#include <QCheckBox>
#include <QEventLoop>
#include <QPointer>
#include <QPushButton>
#include <memory>
#include <optional>

#include "core/cleanup/CleanupGeometry.h"
#include "core/extras/SetupsPlus.h"
#include "core/Utf8Path.h"
#include "ui/qt/FutureAnimations.h"
#include "ui/qt/ScreenSize.h"
#include "ui/qt/Unit1.h"
#include "ui/qt/Unit2.h"
#include "ui/qt/WindowRunHost.h"

bool TVantorCompatibility::conecteon() { return packwell::Conecteon(StatusLog, services_.isConnected); }

void TVantorCompatibility::sButtonCheckClick() {
    if (check_.Running()) return;
    setEnabled(false);  // no input until the check has ended
    bool started = false;
    Guarded([&] {
        started = check_.Start(StatusLog, {BaseUrl, ManifestIni->FileName(), ModsDir, VersionModsDir, services_.isConnected},
                               Lists, [this](const packwell::CheckOutcome& outcome, std::exception_ptr error) {
                                   CheckEnded(outcome.result, error);
                               }) == packwell::CheckStart::Started;
    });
    if (!started) setEnabled(true);
}

void TVantorCompatibility::CheckEnded(packwell::CheckResult result, std::exception_ptr error) {
    setEnabled(true);
    if (error) {
        Guarded([&] { std::rethrow_exception(error); });
        return;
    }
    // A check that did not get its manifest leaves the earlier lists and button state.
    if (result != packwell::CheckResult::Checked) return;
    sButtonDownload->setEnabled(Lists.HasWork());
    if (Lists.HasWork()) sButtonDownload->setFocus();
}

void TVantorCompatibility::sButtonDownloadClick() {
    if (!conecteon()) return;
    sButtonDownload->setEnabled(false);
    setEnabled(false);
    packwell::RunRequest request{Lists, {ModsDir, VersionModsDir, BaseUrl, ModsUrlPath}, sCheckBox1->isChecked(),
                                 sCheckBox2->isChecked()};
    const packwell::WorkerBars bars{BarAdapter(1), BarAdapter(2), BarAdapter(3), BarAdapter(4), BarAdapter(5)};
    // Worker end handlers and their lines come back through the window's own event queue.
    run_ = std::make_unique<packwell::SyncRun>(std::move(request), StatusLog, *runHost_, bars, UiPoster());
    // The run enables the window at its end; one that broke off must not leave it dead.
    if (!Guarded([this] { run_->Start(); })) setEnabled(true);
}

void TVantorCompatibility::sCheckBox1MouseUp(Qt::MouseButton) { AnswerToggle(packwell::OptionBox::Turbo, sCheckBox1); }

void TVantorCompatibility::sCheckBox2MouseUp(Qt::MouseButton) { AnswerToggle(packwell::OptionBox::Setups, sCheckBox2); }

// Only the mouse reaches here: a keyboard toggle changes the box and is stored with the next save.
void TVantorCompatibility::AnswerToggle(packwell::OptionBox box, const QCheckBox* checkBox) {
    Button1->setFocus();
    Guarded([&] {
        packwell::AnswerOptionToggle(StatusLog, {box, checkBox->isChecked(), packwell::ToggleSource::Mouse},
                                     [this] { SaveSettings(); });
    });
}

std::function<void(int)> TVantorCompatibility::LayoutSwitch() {
    return [this](int layout) { ChngSize(static_cast<std::uint8_t>(layout)); };
}

bool TVantorCompatibility::WaitForFetch(const std::function<packwell::FetchStart(packwell::FetchAndOpen::Ended)>& start) {
    // Shared with the end handler: closing ends every event loop, this one too, and the
    // handler may then come after this frame is gone.
    auto outcome = std::make_shared<std::optional<packwell::FetchAndOpenOutcome>>();
    QEventLoop wait;
    const QPointer<QEventLoop> waiting(&wait);
    const auto started = start([outcome, waiting](const packwell::FetchAndOpenOutcome& ended) {
        *outcome = ended;
        if (waiting) waiting->quit();
    });
    if (started != packwell::FetchStart::Started) return false;
    if (!*outcome) wait.exec();
    return *outcome && (*outcome)->result == packwell::FetchAndOpenResult::Downloaded;
}

bool TVantorCompatibility::StartSetupsPlus() {
    return WaitForFetch([this](packwell::FetchAndOpen::Ended ended) {
        return setupsPlus_.Start(
            packwell::SetupsPlusRequest(BaseUrl, packwell::PathFromUtf8(GameDir), BarAdapter(1), LayoutSwitch()),
            std::move(ended));
    });
}

void TVantorCompatibility::sTitleBar1Items0MouseUp(Qt::MouseButton) {
    Guarded([this] { StartSetupsPlus(); });
}

void TVantorCompatibility::sTitleBar1Items2MouseUp(Qt::MouseButton) {
    Guarded([this] {
        WaitForFetch([this](packwell::FetchAndOpen::Ended ended) {
            return forge_.Start({BaseUrl, packwell::PathFromUtf8(GameDir), BarAdapter(1), LayoutSwitch()}, std::move(ended));
        });
    });
}

void TVantorCompatibility::ShowCleanupDialog() {
    CleanupDialog->setGeometry(geometry());
    hide();
    CleanupDialog->show();  // fills its list and centres itself at this size
    const QSize screen = PrimaryScreenSize();
    const packwell::WindowRect target = packwell::CleanupDialogTarget(screen.width(), screen.height());
    FutureAnimations::AnimateControl(CleanupDialog.get(), target.left, target.top, target.width, target.height,
                                     packwell::window::kLayoutSpeed, packwell::window::kSizeTask);
}
