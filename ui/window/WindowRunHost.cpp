#include "ui/window/WindowRunHost.h"

#include "ui/window/MainWindowState.h"

namespace packwell::window {

void WindowRunHost::ChngSize(BarLayout layout) { window_.ChngSize(static_cast<std::uint8_t>(layout)); }

void WindowRunHost::StartSetupsPlus() {
    if (window_.Closing()) return;
    window_.StartSetupsPlus();
}

void WindowRunHost::ShowCleanupDialog() {
    if (!window_.Closing()) window_.ShowCleanupDialog();
}

void WindowRunHost::EnableWindow() { window_.EnableWindow(true); }

// The dispatcher timer is the closing fade once the window closes: the run must neither
// restart nor stop it then.
void WindowRunHost::SetDispatcherTimer(bool enabled) {
    if (window_.Closing()) return;
    if (enabled)
        window_.StartTimer(MainTimer::Dispatcher);
    else
        window_.StopTimer(MainTimer::Dispatcher);
}

}  // namespace packwell::window
