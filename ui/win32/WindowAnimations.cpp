#include "ui/win32/WindowAnimations.h"

#include <memory>

#include "ui/win32/Win32AnimationTarget.h"

namespace packwell::win32 {

void WindowAnimations::Animate(HWND window, const anim::Targets& to, double speed, const std::string& task) {
    engine_.Animate(std::make_shared<anim::Win32AnimationTarget>(window), to, speed, task);
}

}  // namespace packwell::win32
