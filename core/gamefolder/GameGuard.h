#pragma once
// The running-game guard: when the game's window is open and its process runs, the window
// pauses its folder timer, warns the player (a modal box above every window), then the
// game is asked to close and the timer goes on. The game's own process is ended off the
// window's thread: waiting for it to save and quit takes seconds, and the window must not
// freeze meanwhile.
//
// The window builds one GameGuard for its lifetime and calls Check() at the end of every
// folder validation:
//   GameGuard guard(GameGuardPlatform::System(),
//                   {.PauseTimer = [&]{ Timer5->stop(); },
//                    .ShowWarning = [&]{ /* QMessageBox: kGameWarningCaption/Text, OK only,
//                                          warning icon, application-modal, stays on top */ },
//                    .ResumeTimer = [&]{ Timer5->start(); }});
#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>

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
// it is told to end, and forced kGameEndGrace later. Until then the guard warns about no
// game, so that a game still on its way out is not taken for a new one.
inline constexpr std::chrono::milliseconds kGameCloseWait{1500};
inline constexpr std::chrono::milliseconds kGameEndGrace{2000};

// What the guard needs of the system; tests put their own in.
struct GameGuardPlatform {
    std::function<std::optional<platform::GameWindow>()> FindGameWindow;
    std::function<bool()> GameProcessRunning;
    std::function<void(const platform::GameWindow&)> AskToClose;
    std::function<void(const platform::GameWindow&)> EndOwner;  // runs on the guard's own thread

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
    Busy,         // a warning is already open (a nested call), or the last game is still
                  // being ended: nothing done
    GameStopped,  // warned and asked to close; its owner is being ended
    GameLeft,     // warned, but the game had gone by the time the box was closed
};

class GameGuard {
public:
    GameGuard(GameGuardPlatform platform, GameGuardWindow window)
        : platform_(std::move(platform)), window_(std::move(window)) {}
    // Waits for an ending under way: a game the player was told would close is closed.
    ~GameGuard();
    GameGuard(const GameGuard&) = delete;
    GameGuard& operator=(const GameGuard&) = delete;

    // Called on the window's thread; returns without waiting for the game's process.
    GuardResult Check();
    // Returns once the last game's owner has been ended (at once when none is being ended).
    void WaitForEnding();

private:
    void StartEnding(const platform::GameWindow& game);

    GameGuardPlatform platform_;
    GameGuardWindow window_;
    bool warning_ = false;
    std::thread ending_;
    std::atomic<bool> endingDone_{true};
};

}  // namespace packwell
