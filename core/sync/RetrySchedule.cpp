#include "core/sync/RetrySchedule.h"

#include <algorithm>
#include <thread>

namespace packwell {

std::chrono::milliseconds WaitBefore(const RetrySchedule& schedule, std::size_t retry,
                                     const FutureDownloads::DownloadResult& failed) {
    const std::chrono::milliseconds planned =
        schedule.waits.empty() ? std::chrono::milliseconds(0) : schedule.waits[std::min(retry, schedule.waits.size() - 1)];
    if (!failed.retryAfter) return planned;
    const std::chrono::milliseconds asked = std::min<std::chrono::milliseconds>(*failed.retryAfter, schedule.retryAfterCap);
    return std::max(planned, asked);
}

bool WaitUnlessCancelled(std::chrono::milliseconds wait, const std::atomic<bool>* cancel) {
    // The flag has no signal to wait on: looked at often enough that a stop feels immediate.
    constexpr auto kLook = std::chrono::milliseconds(10);
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (cancel && cancel->load()) return false;
        const auto now = std::chrono::steady_clock::now();
        if (now >= until) return true;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kLook, until - now));
    }
}

}  // namespace packwell
