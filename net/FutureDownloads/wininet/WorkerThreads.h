#pragma once
// Threads of the process kept for jobs that block in WinINet calls. Starting a thread costs
// milliseconds under Wine, handing a job to a waiting one microseconds.
#include <functional>

namespace FutureDownloads::detail {

// Runs the job on a waiting thread, or on a new one when none waits; false when no thread
// could be started (the job is then dropped).
bool RunOnWorkerThread(std::function<void()> job);

}  // namespace FutureDownloads::detail
