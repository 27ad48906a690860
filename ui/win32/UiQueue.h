#pragma once
// Work handed to the window's thread from any thread, run in the order it was handed over:
// worker ends, log lines and check results all come through here, like Qt's queued calls.
#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

namespace packwell::win32 {

class UiQueue {
public:
    // The message the window passes to Drain.
    static constexpr UINT kMessage = WM_APP + 1;

    // Before the first Post: the window whose thread runs the work.
    void Attach(HWND window) { window_ = window; }
    // From any thread.
    void Post(std::function<void()> work);
    // On the window's thread, at kMessage. One item at a time, so that a handler which waits
    // in a nested message loop lets the items after it run there, still in order.
    void Drain();

private:
    HWND window_ = nullptr;
    std::mutex lock_;
    std::deque<std::function<void()>> work_;
};

}  // namespace packwell::win32
