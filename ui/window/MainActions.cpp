// The window's actions: each calls the core and shows the result.
#include "core/Utf8Path.h"
#include "core/check/CompatibilityCheck.h"
#include "core/extras/SetupsPlus.h"
#include "ui/window/MainWindowState.h"
#include "ui/window/WindowRunHost.h"

namespace packwell::window {

bool MainWindowState::conecteon() { return Conecteon(StatusLog, ConnectivityProbe()); }

void MainWindowState::sButtonCheckClick() {
    if (check_.Running()) return;
    EnableWindow(false);  // no input until the check has ended
    bool started = false;
    Guarded([&] {
        started = check_.Start(StatusLog,
                               {BaseUrl, ManifestIni->FileName(), ModsDir, VersionModsDir, ConnectivityProbe()}, Lists,
                               [this](const CheckOutcome& outcome, std::exception_ptr error) {
                                   CheckEnded(outcome.result, error);
                               }) == CheckStart::Started;
    });
    if (!started) EnableWindow(true);
}

void MainWindowState::CheckEnded(CheckResult result, std::exception_ptr error) {
    EnableWindow(true);
    if (error) {
        Guarded([&] { std::rethrow_exception(error); });
        return;
    }
    // A check that did not get its manifest leaves the earlier lists and button state.
    if (result != CheckResult::Checked) return;
    EnableDownload(Lists.HasWork());
    if (Lists.HasWork()) FocusDownload();
}

void MainWindowState::sButtonDownloadClick() {
    if (!conecteon()) return;
    EnableDownload(false);
    EnableWindow(false);
    RunRequest request{Lists, {ModsDir, VersionModsDir, BaseUrl, ModsUrlPath}, TurboTicked(), SetupsTicked()};
    const WorkerBars bars{BarAdapter(1), BarAdapter(2), BarAdapter(3), BarAdapter(4), BarAdapter(5)};
    // Worker end handlers and their lines come back through the window's own event queue.
    run_ = std::make_unique<SyncRun>(std::move(request), StatusLog, *runHost_, bars, post_);
    // The run enables the window at its end; one that broke off must not leave it dead.
    if (!Guarded([this] { run_->Start(); })) EnableWindow(true);
}

void MainWindowState::OptionReleased(OptionBox box) {
    FocusButton1();
    const bool ticked = box == OptionBox::Turbo ? TurboTicked() : SetupsTicked();
    Guarded([&] { AnswerOptionToggle(StatusLog, {box, ticked, ToggleSource::Mouse}, [this] { SaveSettings(); }); });
}

std::function<void(int)> MainWindowState::LayoutSwitch() {
    return [this](int layout) { ChngSize(static_cast<std::uint8_t>(layout)); };
}

bool MainWindowState::StartSetupsPlus() {
    return AwaitFetch([this](FetchAndOpen::Ended ended) {
        return setupsPlus_.Start(SetupsPlusRequest(BaseUrl, PathFromUtf8(GameDir), BarAdapter(1), LayoutSwitch()),
                                 std::move(ended));
    });
}

void MainWindowState::SetupsPlusItemReleased() {
    Guarded([this] { StartSetupsPlus(); });
}

void MainWindowState::ForgeItemReleased() {
    Guarded([this] {
        AwaitFetch([this](FetchAndOpen::Ended ended) {
            return forge_.Start({BaseUrl, PathFromUtf8(GameDir), BarAdapter(1), LayoutSwitch()}, std::move(ended));
        });
    });
}

}  // namespace packwell::window
