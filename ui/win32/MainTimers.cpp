#include "ui/win32/MainTimers.h"

namespace packwell::win32 {

namespace {

using window::MainTimer;

constexpr UINT_PTR kFirstId = 1;

constexpr UINT IntervalMs(MainTimer timer) { return timer == MainTimer::Validation ? 1000 : 1; }

UINT_PTR IdOf(MainTimer timer) { return kFirstId + static_cast<UINT_PTR>(timer); }

}  // namespace

void MainTimers::Start(MainTimer timer) {
    // SetTimer on a running identifier restarts its interval, as a stopped and started timer does.
    active_[Index(timer)] = SetTimer(window_, IdOf(timer), IntervalMs(timer), nullptr) != 0;
}

void MainTimers::Stop(MainTimer timer) {
    if (active_[Index(timer)]) KillTimer(window_, IdOf(timer));
    active_[Index(timer)] = false;
}

std::optional<MainTimer> MainTimers::FromId(UINT_PTR id) {
    for (const MainTimer timer : {MainTimer::Startup, MainTimer::Validation, MainTimer::Dispatcher})
        if (IdOf(timer) == id) return timer;
    return std::nullopt;
}

}  // namespace packwell::win32
