#pragma once
// Ctrl+C and termination requests for the whole life of packwell-sync: instead of ending the
// process mid-write (which leaves part files behind), they raise one flag that the manifest
// fetch watches and cancel the run in progress; both then end as usual.
#include <atomic>

namespace packwell {
class SyncRun;
}

namespace packwell::cli {

// Installs the handlers (SIGINT and SIGTERM; on Windows Ctrl+C, Ctrl+Break and the console
// closing); call once, first thing in main.
void InstallStopSignalHandlers();

// What the handlers do: raises the flag and cancels the run in progress. Safe in a signal handler.
void RequestStop();

// Set once a stop was asked for; never cleared.
const std::atomic<bool>& StopRequested();

// While it lives, a stop request cancels `run`, also one asked for before.
class CancelRunOnStop {
public:
    explicit CancelRunOnStop(SyncRun& run);
    ~CancelRunOnStop();
    CancelRunOnStop(const CancelRunOnStop&) = delete;
    CancelRunOnStop& operator=(const CancelRunOnStop&) = delete;
};

}  // namespace packwell::cli
