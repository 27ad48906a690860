#include "tools/packwell-sync/StopSignal.h"

#include <csignal>

#include "core/sync/SyncRun.h"

namespace packwell::cli {
namespace {

std::atomic<bool> g_stop{false};
std::atomic<SyncRun*> g_run{nullptr};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<SyncRun*>::is_always_lock_free,
              "a signal handler may only touch lock-free atomics");

// SyncRun::Cancel only sets a lock-free flag, so the handler may call it.
extern "C" void RequestStop(int) {
    g_stop.store(true);
    if (SyncRun* run = g_run.load()) run->Cancel();
}

}  // namespace

void InstallStopSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // file reads and writes go on; the flags are polled
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

const std::atomic<bool>& StopRequested() { return g_stop; }

CancelRunOnStop::CancelRunOnStop(SyncRun& run) {
    g_run.store(&run);
    if (g_stop.load()) run.Cancel();  // a stop that came during the check
}

CancelRunOnStop::~CancelRunOnStop() { g_run.store(nullptr); }

}  // namespace packwell::cli
