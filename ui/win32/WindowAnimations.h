#pragma once
// The program's one animation queue on Windows: the main window and the cleanup dialog move
// through it in turn, ticked by a timer on the main window.
#include <windows.h>

#include <string>

#include "ui/win32/Win32AnimationTimer.h"
#include "ui/window/AnimationEngine.h"

namespace packwell::win32 {

class WindowAnimations {
public:
    // `tickWindow` carries the tick timer and outlives this queue.
    explicit WindowAnimations(HWND tickWindow) : timer_(tickWindow, [this] { engine_.Tick(); }) {}

    // Targets in units of 96 dots per inch.
    void Animate(HWND window, const anim::Targets& to, double speed, const std::string& task);
    void Stop() { engine_.Stop(); }
    bool Animating() const { return engine_.IsAnimating(); }
    const std::string& CurrentTask() const { return engine_.CurrentTask(); }

private:
    anim::Win32AnimationTimer timer_;
    anim::AnimationEngine engine_{timer_};
};

}  // namespace packwell::win32
