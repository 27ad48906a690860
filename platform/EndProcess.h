#pragma once
// Ending one process, named by its id, within a bounded time.
#include <chrono>

namespace platform {

// True while the process exists and has not ended (a zombie counts as ended).
bool ProcessAlive(int pid);

// Waits until the process has ended, at most `limit`; true when it has.
bool WaitForProcessEnd(int pid, std::chrono::milliseconds limit);

// Asks the process to end (SIGTERM) and forces it (SIGKILL) once `grace` has passed. Windows
// has no such request: there the process gets `grace` to end by itself (callers ask through
// its window first) and is then terminated.
// Returns whether it ended; never waits longer than grace plus about a second.
bool EndProcess(int pid, std::chrono::milliseconds grace);

}  // namespace platform
