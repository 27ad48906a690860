#include "ui/qt/WindowRunHost.h"

#include "ui/qt/Unit1.h"

void WindowRunHost::ChngSize(packwell::BarLayout layout) { window_.ChngSize(static_cast<std::uint8_t>(layout)); }

void WindowRunHost::StartSetupsPlus() {
    if (window_.Closing()) return;
    window_.StartSetupsPlus();
}

void WindowRunHost::ShowCleanupDialog() {
    if (!window_.Closing()) window_.ShowCleanupDialog();
}

void WindowRunHost::EnableWindow() { window_.setEnabled(true); }

// Timer6 is the closing fade once its Tag is 1: the run must neither restart nor stop it then.
void WindowRunHost::SetDispatcherTimer(bool enabled) {
    if (window_.Closing()) return;
    if (enabled)
        window_.Timer6->start();
    else
        window_.Timer6->stop();
}
