#include <windows.h>

#include "ui/win32/Win32ProgressBar.h"

#include "ui/win32/NestedLoop.h"

namespace packwell::win32 {

template <typename Change>
void Win32ProgressBar::Update(Change change) {
    {
        const std::lock_guard lock(mutex_);
        change(progress_);
    }
    if (GetCurrentThreadId() == uiThread_) {
        Refresh();
        return;
    }
    if (!refreshPending_.exchange(true)) post_([this] { Refresh(); });
}

// Shows the latest value, whatever came in since the refresh was asked for.
void Win32ProgressBar::Refresh() {
    refreshPending_ = false;
    window::BarValue value;
    {
        const std::lock_guard lock(mutex_);
        value = progress_.Current();
    }
    show_(value);
}

void Win32ProgressBar::SetMaximum(std::int64_t maximum) {
    Update([&](window::BarProgress& p) { p.SetMaximum(maximum); });
}

void Win32ProgressBar::SetPosition(std::int64_t position) {
    Update([&](window::BarProgress& p) { p.SetPosition(position); });
}

void Win32ProgressBar::Advance(std::int64_t delta) {
    Update([&](window::BarProgress& p) { p.Advance(delta); });
}

void Win32ProgressBar::ProcessPendingEvents() {
    if (GetCurrentThreadId() == uiThread_) HandlePendingMessages();
}

}  // namespace packwell::win32
