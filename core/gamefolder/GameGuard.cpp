#include "core/gamefolder/GameGuard.h"

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/settings/SharedValues.h"
#include "platform/EndProcess.h"

namespace packwell {

namespace {

// Runs the resume step however the warning ends, so the folder timer never stays off.
class ResumeOnExit {
public:
    ResumeOnExit(const std::function<void()>& resume, bool& flag) : resume_(resume), flag_(flag) {}
    ~ResumeOnExit() {
        flag_ = false;
        if (resume_) resume_();
    }
    ResumeOnExit(const ResumeOnExit&) = delete;
    ResumeOnExit& operator=(const ResumeOnExit&) = delete;

private:
    const std::function<void()>& resume_;
    bool& flag_;
};

}  // namespace

std::string GameWindowTitle() { return std::string("Minecraft ") + kGameVersion; }

GameGuardPlatform GameGuardPlatform::System() {
    GameGuardPlatform p;
    p.FindGameWindow = [] { return platform::FindGameWindow(kGameWindowClass, GameWindowTitle()); };
    p.GameProcessRunning = [] { return AllInOne::IsProcessRunning(kGameProcessName); };
    p.AskToClose = [](const platform::GameWindow& w) { platform::AskWindowToClose(w.Id); };
    p.EndOwner = [](const platform::GameWindow& w) {
        if (w.OwnerPid <= 0) return;
        if (!platform::WaitForProcessEnd(w.OwnerPid, kGameCloseWait)) platform::EndProcess(w.OwnerPid, kGameEndGrace);
    };
    return p;
}

GuardResult GameGuard::Check() {
    if (warning_) return GuardResult::Busy;
    std::optional<platform::GameWindow> game = platform_.FindGameWindow();
    if (!game || !platform_.GameProcessRunning()) return GuardResult::NoGame;

    warning_ = true;
    if (window_.PauseTimer) window_.PauseTimer();
    ResumeOnExit resume(window_.ResumeTimer, warning_);
    if (window_.ShowWarning) window_.ShowWarning();

    // The player may have closed the game while reading; look again so that only the
    // window (and process) that is there now is addressed.
    game = platform_.FindGameWindow();
    if (!game) return GuardResult::GameLeft;
    platform_.AskToClose(*game);
    platform_.EndOwner(*game);
    return GuardResult::GameStopped;
}

}  // namespace packwell
