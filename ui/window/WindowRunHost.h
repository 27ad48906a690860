#pragma once
// What a synchronisation run asks of the main window: layouts, Setups, the cleanup dialog, the
// window enabled again and the dispatcher timer. Once the window is closing, the run's last
// steps neither fetch a program nor open the dialog: the program is about to end.
#include "core/sync/RunHost.h"

namespace packwell::window {

class MainWindowState;

class WindowRunHost : public RunHost {
public:
    explicit WindowRunHost(MainWindowState& window) : window_(window) {}

    void ChngSize(BarLayout layout) override;
    void StartSetupsPlus() override;
    void ShowCleanupDialog() override;
    void EnableWindow() override;
    void SetDispatcherTimer(bool enabled) override;

private:
    MainWindowState& window_;
};

}  // namespace packwell::window
