#pragma once
// Hands work from worker threads to the thread that owns the run (the "UI thread"). The window
// posts through Qt's queued calls instead; the headless client and the tests drain this queue.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace packwell {

// How a run hands a function to its UI thread; callable from any thread.
using PostToUi = std::function<void(std::function<void()>)>;

class UiQueue {
public:
    void Post(std::function<void()> fn);
    // Runs everything queued, in order, on the calling thread; when nothing is queued waits up
    // to `wait` for something to arrive. Returns how many functions ran.
    std::size_t Drain(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    PostToUi Poster();

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::function<void()>> queue_;
};

}  // namespace packwell
