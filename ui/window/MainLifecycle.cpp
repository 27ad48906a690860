// The main window's start-up tick, its dispatcher tick and its closing fade.
#include "ui/window/MainWindowState.h"

namespace packwell::window {

void MainWindowState::Timer1Timer() {
    StopTimer(MainTimer::Startup);
    // A launcher file that cannot be read is shown to the user, but the window still starts:
    // without the rest of this step the folder would never be validated again.
    Guarded([this] { LoadSettings(); });
    StatusLog.Console(WelcomeText());
    Guarded([this] { ValidateGameFolder(); });
    StartTimer(MainTimer::Validation);
}

bool MainWindowState::FormCloseQuery() {
    StopJobs();
    MarkClosing();
    // A repeated request must not hold the fade back.
    if (!TimerActive(MainTimer::Dispatcher)) StartTimer(MainTimer::Dispatcher);
    return false;
}

void MainWindowState::Timer6Timer() {
    if (Closing()) {
        ClosingStep();
        return;
    }
    if (!run_) return;
    try {
        run_->Tick();
    } catch (const std::exception& e) {
        // Stopped before the box: a dispatcher that raised would raise again every millisecond.
        StopTimer(MainTimer::Dispatcher);
        EnableWindow(true);
        ShowError(e);
    }
}

void MainWindowState::ClosingStep() {
    using Action = window::ClosingStep::Action;
    const window::ClosingStep step = closing_.Tick(alphaBlendValue_, AnimationTask(), Animating(), WindowTop(),
                                                     WindowSize().height);
    switch (step.action) {
    case Action::Nothing: return;
    case Action::End:
        StopTimer(MainTimer::Dispatcher);
        Terminate();
        return;
    case Action::Fade: break;
    }
    if (const auto& to = step.collapse) {
        StopTimer(MainTimer::Validation);
        StopAnimations();
        AnimateWindow(*to, kClosingSpeed, std::string(kClosingTask));
    }
    alphaBlend_ = true;
    alphaBlendValue_ = step.alpha;
    SetAlpha(step.alpha);
}

}  // namespace packwell::window
