#pragma once
// One job at a time on a thread of its own, its end handed back to the UI thread, so a long
// wait (a server that stalls) never holds the window. Any front end can use it: the Qt window
// posts through its event queue, the headless client and the tests drain a UiQueue.
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <thread>

#include "core/sync/UiQueue.h"

namespace packwell {

class BackgroundJob {
public:
    // Runs on the job's thread; `stop` is set once the program is closing.
    using Work = std::function<void(const std::atomic<bool>& stop)>;
    // Runs on the UI thread once the work is over, with what the work raised (null if nothing).
    using Ended = std::function<void(std::exception_ptr error)>;

    explicit BackgroundJob(PostToUi post);
    // Stops a running job and waits for its thread; an end handler not yet run never runs.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Call on the UI thread. False, with nothing started, while a job has not ended yet or
    // once Stop was called.
    bool Start(Work work, Ended ended);
    // From Start until its end handler has begun.
    bool Running() const { return running_; }

    // The program is closing: the running job is asked to stop (its end handler still runs)
    // and no job starts any more. Only sets flags.
    void Stop() { stop_ = true; }
    bool Stopped() const { return stop_; }

private:
    const PostToUi post_;
    std::atomic<bool> stop_{false};
    bool running_ = false;  // UI thread only
    std::thread thread_;
    // Cleared by the destructor; end handlers posted after it must not touch this object.
    // UI thread only.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace packwell
