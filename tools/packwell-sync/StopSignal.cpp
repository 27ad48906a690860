#include "tools/packwell-sync/StopSignal.h"

#include "core/sync/SyncRun.h"

namespace packwell::cli {
namespace {

std::atomic<bool> g_stop{false};
std::atomic<SyncRun*> g_run{nullptr};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<SyncRun*>::is_always_lock_free,
              "a signal handler may only touch lock-free atomics");

}  // namespace

// SyncRun::Cancel only sets a lock-free flag, so a signal handler may call this.
void RequestStop() {
    g_stop.store(true);
    if (SyncRun* run = g_run.load()) run->Cancel();
}

const std::atomic<bool>& StopRequested() { return g_stop; }

CancelRunOnStop::CancelRunOnStop(SyncRun& run) {
    g_run.store(&run);
    if (g_stop.load()) run.Cancel();  // a stop that came during the check
}

CancelRunOnStop::~CancelRunOnStop() { g_run.store(nullptr); }

}  // namespace packwell::cli
