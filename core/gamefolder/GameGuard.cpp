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

GameGuard::~GameGuard() { WaitForEnding(); }

void GameGuard::WaitForEnding() {
    if (ending_.joinable()) ending_.join();
}

void GameGuard::StartEnding(const platform::GameWindow& game) {
    endingDone_ = false;
    ending_ = std::thread([end = platform_.EndOwner, game, &done = endingDone_] {
        try {
            if (end) end(game);
        } catch (...) {
            // Nobody to tell on this thread; a game that survives is found at a later validation.
        }
        done = true;
    });
}

GuardResult GameGuard::Check() {
    if (warning_) return GuardResult::Busy;
    if (ending_.joinable()) {
        if (!endingDone_) return GuardResult::Busy;
        ending_.join();
    }
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
    StartEnding(*game);
    return GuardResult::GameStopped;
}

}  // namespace packwell
