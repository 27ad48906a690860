#pragma once
// Progress of one synchronisation run. Turbo workers count from their own threads, so the
// totals are atomic; 64-bit so that a pack beyond 2 GiB still sums correctly.
#include <atomic>
#include <chrono>
#include <cstdint>

namespace packwell {

struct RunCounters {
    std::atomic<std::int64_t> DoneCount{0};  // files obtained
    std::atomic<std::int64_t> DoneBytes{0};  // their sizes as they lie in VersionModsDir
    std::chrono::steady_clock::time_point RunStart = std::chrono::steady_clock::now();
};

}  // namespace packwell
