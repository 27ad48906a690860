#pragma once
// When a download attempt is given up, when it is tried again within the run, and how long it
// waits first.
#include <atomic>
#include <chrono>
#include <vector>

#include "net/FutureDownloads/FutureDownloads.h"

namespace packwell {

struct RetrySchedule {
    // An attempt that receives nothing for this long is given up (and tried again).
    std::chrono::seconds stall{60};
    // One wait per retry, growing: a server that restarts or a line that drops is given a few
    // seconds, not hammered.
    std::vector<std::chrono::milliseconds> waits{std::chrono::seconds(1), std::chrono::seconds(2),
                                                 std::chrono::seconds(4)};
    // A Retry-After longer than this is cut short: the run does not stall on one server's word.
    std::chrono::milliseconds retryAfterCap = std::chrono::seconds(30);
};

// The wait before retry number `retry` (0 for the first): the schedule's, or the server's
// Retry-After (capped) when that is longer.
std::chrono::milliseconds WaitBefore(const RetrySchedule& schedule, std::size_t retry,
                                     const FutureDownloads::DownloadResult& failed);

// Sleeps for `wait`; false, at once, when `cancel` is set meanwhile.
bool WaitUnlessCancelled(std::chrono::milliseconds wait, const std::atomic<bool>* cancel);

}  // namespace packwell
