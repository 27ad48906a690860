// The main window's layout requests, the progress-bar switch, the status panel reveal, the
// drag rule and the log export.
#include <chrono>

#include "ui/window/MainWindowState.h"

namespace packwell::window {

namespace {

// A safety net only: the animation service gives up on a target it cannot reach, so the
// wait normally ends long before this.
constexpr std::chrono::seconds kMaxLayoutWait{30};

}  // namespace

void MainWindowState::RequestActionsLayout() {
    if (const auto to = ActionsLayoutRequest(WindowSize(), Layouts(), ScreenSize(), ReturnFromCleanup))
        AnimateWindow(*to, kLayoutSpeed, kSizeTask);
}

void MainWindowState::RequestCompactLayout() {
    if (const auto to =
            CompactLayoutRequest(WindowSize(), Layouts(), FolderGroupBottom(), ScreenSize(), ReturnFromCleanup))
        AnimateWindow(*to, kLayoutSpeed, kSizeTask);
}

void MainWindowState::sGroupBox3MouseMove() {
    if (const auto to = StatusPanelRequest(WindowSize(), Layouts(), ScreenSize()))
        AnimateWindow(*to, kLayoutSpeed, kSizeTask);
    ShowStatusGroup();
}

void MainWindowState::ChngSize(std::uint8_t SScript) {
    const auto bars = BarsLayoutFor(SScript, Layouts());
    if (!bars) return;
    ShowBars(*bars);
    anim::Targets to;
    to.Height = bars->height;
    AnimateWindow(to, kLayoutSpeed, kSizeTask);
    // The caller goes on once the height is there, or once it can no longer come: the request
    // was cut short and nothing animates, or the program is closing.
    const auto bound = std::chrono::steady_clock::now() + kMaxLayoutWait;
    while (WindowSize().height != bars->height && Animating() && !Closing() &&
           std::chrono::steady_clock::now() < bound)
        PumpEvents();
}

bool MainWindowState::sLabel1MouseDown() {
    if (Animating()) return false;
    FocusButton1();
    return true;
}

void MainWindowState::sMemo1DblClick() {
    std::filesystem::path file;
    try {
        file = StatusLog.Export();
    } catch (const std::exception& e) {
        ShowExportError(e.what());
        return;
    }
    Guarded([&] { OpenTextFile(file); });
}

}  // namespace packwell::window
