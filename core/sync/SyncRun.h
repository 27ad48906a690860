#pragma once
// One press of "Запуск синхронизации", from the moment the connection check has passed and the
// button and window are disabled, to the window enabled again. The window and the headless
// client both drive it: Start() at the press, Tick() from Timer6 while its Tag is 0.
#include <atomic>
#include <memory>

#include "core/log/StatusLog.h"
#include "core/check/SyncLists.h"
#include "core/sync/RunCounters.h"
#include "core/sync/PartFilePublisher.h"
#include "core/sync/RunHost.h"
#include "core/sync/StepObserver.h"
#include "core/sync/SyncPaths.h"
#include "core/sync/TurboDispatcher.h"
#include "core/sync/UiQueue.h"

namespace packwell {

struct RunRequest {
    SyncLists lists;     // copied: the workers read the list while the window may check anew
    SyncPaths paths;
    bool turbo = true;   // "Турбо" at the press
    bool setups = true;  // "Setups": the extra settings program at the end
    RetrySchedule retry;  // for the mod downloads
};

class SyncRun {
public:
    // bars[0] is the one bar of a sequential run; `post` hands work to the caller's thread.
    SyncRun(RunRequest request, StatusLog& log, RunHost& host, WorkerBars bars, PostToUi post,
            StepObserver observer = {});
    ~SyncRun();
    SyncRun(const SyncRun&) = delete;
    SyncRun& operator=(const SyncRun&) = delete;

    // The cleanup-only path, or the header and then either the whole sequential run with its
    // closing steps, or the start of Turbo (the host's timer then drives Tick).
    void Start();
    // Timer6 with Tag 0. On the first tick that finds everything done: the timer is stopped,
    // then the closing steps run, once.
    void Tick();
    // Closing the program: running downloads stop, nothing more is handed out, and the run
    // then ends as usual. Only sets a flag, so a signal handler may call it.
    void Cancel() { cancel_ = true; }

    bool Finished() const { return finished_; }
    const RunCounters& Counters() const { return counters_; }
    const TurboDispatcher* Dispatcher() const { return dispatcher_.get(); }

private:
    void Close();

    const RunRequest request_;
    StatusLog& log_;
    RunHost& host_;
    const WorkerBars bars_;
    const PostToUi post_;
    const StepObserver observer_;
    RunCounters counters_;
    std::atomic<bool> cancel_{false};
    bool finished_ = false;
    // Before the dispatcher, so it outlives the workers that hand it files.
    PartFilePublisher publisher_;
    std::unique_ptr<TurboDispatcher> dispatcher_;
};

}  // namespace packwell
