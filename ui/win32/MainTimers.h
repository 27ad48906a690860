#pragma once
// The main window's three timers as SetTimer timers on it, with the intervals the window asks
// for (1 ms ticks come about every 15 ms on Windows, which is the intended look).
#include <windows.h>

#include <array>
#include <optional>

#include "ui/window/MainWindowView.h"

namespace packwell::win32 {

class MainTimers {
public:
    void Attach(HWND window) { window_ = window; }
    void Start(window::MainTimer timer);
    void Stop(window::MainTimer timer);
    bool Active(window::MainTimer timer) const { return active_[Index(timer)]; }
    // The timer a WM_TIMER identifier belongs to.
    static std::optional<window::MainTimer> FromId(UINT_PTR id);

private:
    static std::size_t Index(window::MainTimer timer) { return static_cast<std::size_t>(timer); }

    HWND window_ = nullptr;
    std::array<bool, 3> active_{};
};

}  // namespace packwell::win32
