#pragma once
// Lets a download drive one of the window's progress bars from any thread. A worker only
// records the value and, when no refresh is pending yet, asks the window's thread for one: a
// fast download's many small steps cost one repaint per turn of the message loop, not one each.
#include <atomic>
#include <functional>
#include <mutex>

#include "net/FutureDownloads/ProgressBar.h"
#include "ui/window/BarProgress.h"

namespace packwell::win32 {

class Win32ProgressBar final : public FutureDownloads::ProgressBar {
public:
    using Show = std::function<void(window::BarValue)>;          // on the window's thread
    using Post = std::function<void(std::function<void()>)>;     // from any thread

    Win32ProgressBar(DWORD uiThread, Show show, Post post)
        : uiThread_(uiThread), show_(std::move(show)), post_(std::move(post)) {}

    void SetMaximum(std::int64_t maximum) override;
    void SetPosition(std::int64_t position) override;
    void Advance(std::int64_t delta) override;
    // Handles the window's messages on the window's thread; on a worker it does nothing.
    void ProcessPendingEvents() override;

private:
    template <typename Change>
    void Update(Change change);
    void Refresh();

    const DWORD uiThread_;
    const Show show_;
    const Post post_;
    std::mutex mutex_;
    window::BarProgress progress_;
    std::atomic<bool> refreshPending_{false};
};

}  // namespace packwell::win32
