#include "platform/EndProcess.h"

#include <windows.h>

#include "platform/win32/SystemError.h"

namespace platform {
namespace {

constexpr auto kAfterKill = std::chrono::milliseconds(1000);

OwnedHandle OpenForWait(int pid, DWORD extraAccess = 0) {
    if (pid <= 0) return OwnedHandle();
    return OwnedHandle(OpenProcess(SYNCHRONIZE | extraAccess, FALSE, static_cast<DWORD>(pid)));
}

DWORD Milliseconds(std::chrono::milliseconds limit) {
    return limit.count() <= 0 ? 0 : static_cast<DWORD>(std::min<long long>(limit.count(), INFINITE - 1));
}

}  // namespace

bool ProcessAlive(int pid) {
    OwnedHandle process = OpenForWait(pid);
    // A process we may not wait on is still there; one that is gone cannot be opened at all.
    if (!process.valid()) return GetLastError() == ERROR_ACCESS_DENIED;
    return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

bool WaitForProcessEnd(int pid, std::chrono::milliseconds limit) {
    OwnedHandle process = OpenForWait(pid);
    if (!process.valid()) return GetLastError() != ERROR_ACCESS_DENIED;
    return WaitForSingleObject(process.get(), Milliseconds(limit)) != WAIT_TIMEOUT;
}

// Windows has no request to end that a process can answer, as SIGTERM is on POSIX: callers
// ask through its window first, so the grace is the time it gets to finish on its own.
bool EndProcess(int pid, std::chrono::milliseconds grace) {
    OwnedHandle process = OpenForWait(pid, PROCESS_TERMINATE);
    if (!process.valid()) return GetLastError() != ERROR_ACCESS_DENIED;
    if (WaitForSingleObject(process.get(), Milliseconds(grace)) != WAIT_TIMEOUT) return true;
    TerminateProcess(process.get(), 1);
    return WaitForSingleObject(process.get(), Milliseconds(kAfterKill)) != WAIT_TIMEOUT;
}

}  // namespace platform
