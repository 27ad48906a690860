#pragma once
// The animation tick as a SetTimer timer on a window, existing only between Start and Stop.
// 1 ms is asked for; Windows ticks at its own granularity (about 15 ms), which is the intended look.
#include <windows.h>

#include <functional>

#include "ui/window/AnimationEngine.h"

namespace packwell::anim {

class Win32AnimationTimer final : public AnimationTimer {
public:
    Win32AnimationTimer(HWND window, std::function<void()> onTick) : window_(window), onTick_(std::move(onTick)) {}
    ~Win32AnimationTimer() override { Stop(); }
    Win32AnimationTimer(const Win32AnimationTimer&) = delete;
    Win32AnimationTimer& operator=(const Win32AnimationTimer&) = delete;

    bool Start() override;
    void Stop() override;  // may be called from inside a tick

private:
    static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);

    HWND window_;
    std::function<void()> onTick_;
    bool running_ = false;
};

}  // namespace packwell::anim
