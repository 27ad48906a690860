#pragma once
// Plays the UI thread for a core job: runs what it posts until `done` holds or the bound passes.
#include <chrono>
#include <functional>

#include "core/sync/UiQueue.h"

namespace packwell::test {

// True when `done` holds.
inline bool DrainUntil(UiQueue& queue, const std::function<bool()>& done,
                       std::chrono::seconds bound = std::chrono::seconds(30)) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!done() && std::chrono::steady_clock::now() < deadline) queue.Drain(std::chrono::milliseconds(5));
    return done();
}

}  // namespace packwell::test
