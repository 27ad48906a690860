#include "net/FutureDownloads/wininet/WorkerThreads.h"

#include <windows.h>

#include <deque>

namespace FutureDownloads::detail {
namespace {

// A thread with nothing to do for this long ends.
constexpr DWORD kIdleLifeMs = 30000;

struct Pool {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE ready = CONDITION_VARIABLE_INIT;
    std::deque<std::function<void()>> jobs;
    std::size_t idle = 0;
};

Pool& ThePool() {
    static Pool* pool = new Pool;  // never destroyed: its threads may outlive static destruction
    return *pool;
}

DWORD WINAPI Work(void*) {
    Pool& pool = ThePool();
    AcquireSRWLockExclusive(&pool.lock);
    for (;;) {
        while (pool.jobs.empty()) {
            ++pool.idle;
            const BOOL woken = SleepConditionVariableSRW(&pool.ready, &pool.lock, kIdleLifeMs, 0);
            --pool.idle;
            if (!woken && pool.jobs.empty()) {
                ReleaseSRWLockExclusive(&pool.lock);
                return 0;
            }
        }
        std::function<void()> job = std::move(pool.jobs.front());
        pool.jobs.pop_front();
        ReleaseSRWLockExclusive(&pool.lock);
        job();
        job = nullptr;  // what the job holds goes before the thread waits again
        AcquireSRWLockExclusive(&pool.lock);
    }
}

}  // namespace

bool RunOnWorkerThread(std::function<void()> job) {
    Pool& pool = ThePool();
    AcquireSRWLockExclusive(&pool.lock);
    // Looked at and taken in one hold of the lock: two callers must not both count on the same
    // idle thread, or one transfer would wait for the other's whole body.
    const bool waiting = pool.idle > pool.jobs.size();
    if (waiting) pool.jobs.push_back(std::move(job));
    ReleaseSRWLockExclusive(&pool.lock);
    if (!waiting) {
        const HANDLE thread = CreateThread(nullptr, 0, &Work, nullptr, 0, nullptr);
        if (!thread) return false;
        CloseHandle(thread);
        AcquireSRWLockExclusive(&pool.lock);
        pool.jobs.push_back(std::move(job));
        ReleaseSRWLockExclusive(&pool.lock);
    }
    WakeConditionVariable(&pool.ready);
    return true;
}

}  // namespace FutureDownloads::detail
