#pragma once
// The running-game guard: when the game's window is open and its process runs, the window
// pauses its folder timer, warns the player (a modal box above every window), then the
// game is asked to close and its own process is ended, and the timer goes on.
//
// The window builds one GameGuard for its lifetime and calls Check() at the end of every
// folder validation:
//   GameGuard guard(GameGuardPlatform::System(),
//                   {.PauseTimer = [&]{ Timer5->stop(); },
//                    .ShowWarning = [&]{ /* QMessageBox: kGameWarningCaption/Text, OK only,
//                                          warning icon, application-modal, stays on top */ },
//                    .ResumeTimer = [&]{ Timer5->start(); }});
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "platform/GameWindow.h"

namespace packwell {

inline constexpr const char* kGameWarningCaption = "Предупреждение";
inline constexpr const char* kGameWarningText =
    "Пожалуйста не запускайте игру\r\nкогда открыт Packwell Brenvik.\r\n"
    "Это может привести к непоправимым ошибкам!\r\n\r\n"
    "Сохраните все данные в игре и закройте её, т.к.\r\n"
    "после нажатия \"ОК\" она будет закрыта автоматически!";

inline constexpr const char* kGameWindowClass = "LWJGL";
#ifdef _WIN32
inline constexpr const char* kGameProcessName = "javaw.exe";
#else
inline constexpr const char* kGameProcessName = "java";
#endif
// "Minecraft " + GameVersion
std::string GameWindowTitle();

// After the close request the game gets kGameCloseWait to save and quit by itself, then
// it is told to end, and forced kGameEndGrace later. The window waits at most about the
// sum, so that the next validation does not find a game that is still on its way out.
inline constexpr std::chrono::milliseconds kGameCloseWait{1500};
inline constexpr std::chrono::milliseconds kGameEndGrace{2000};

// What the guard needs of the system; tests put their own in.
struct GameGuardPlatform {
    std::function<std::optional<platform::GameWindow>()> FindGameWindow;
    std::function<bool()> GameProcessRunning;
    std::function<void(const platform::GameWindow&)> AskToClose;
    std::function<void(const platform::GameWindow&)> EndOwner;

    // The desktop's game window, AllInOne::IsProcessRunning(kGameProcessName), the close
    // request, and the end of the window owner's process only (never another program
    // that happens to have the same name).
    static GameGuardPlatform System();
};

// What the guard needs of the window.
struct GameGuardWindow {
    std::function<void()> PauseTimer;
    std::function<void()> ShowWarning;  // returns once the player has closed the box
    std::function<void()> ResumeTimer;
};

enum class GuardResult {
    NoGame,       // no game window, or no game process: nothing done
    Busy,         // a warning is already open (a nested call): nothing done
    GameStopped,  // warned, asked to close and ended
    GameLeft,     // warned, but the game had gone by the time the box was closed
};

class GameGuard {
public:
    GameGuard(GameGuardPlatform platform, GameGuardWindow window)
        : platform_(std::move(platform)), window_(std::move(window)) {}

    GuardResult Check();

private:
    GameGuardPlatform platform_;
    GameGuardWindow window_;
    bool warning_ = false;
};

}  // namespace packwell
