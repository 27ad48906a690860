#include "ui/win32/Win32AnimationTimer.h"

namespace packwell::anim {

namespace {
constexpr UINT kIntervalMs = 1;
}

// The timer's identifier is the object itself, so the callback finds it without a table; two
// timers on one window never share an identifier.
bool Win32AnimationTimer::Start() {
    if (running_) return true;
    running_ = SetTimer(window_, reinterpret_cast<UINT_PTR>(this), kIntervalMs, &OnTimer) != 0;
    return running_;
}

void Win32AnimationTimer::Stop() {
    if (!running_) return;
    KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
    running_ = false;
}

void CALLBACK Win32AnimationTimer::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    reinterpret_cast<Win32AnimationTimer*>(id)->onTick_();
}

}  // namespace packwell::anim
