#include "core/sync/UiQueue.h"

namespace packwell {

void UiQueue::Post(std::function<void()> fn) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(fn));
    }
    arrived_.notify_one();
}

std::size_t UiQueue::Drain(std::chrono::milliseconds wait) {
    std::deque<std::function<void()>> batch;
    {
        std::unique_lock lock(mutex_);
        if (queue_.empty() && wait.count() > 0) arrived_.wait_for(lock, wait, [this] { return !queue_.empty(); });
        batch.swap(queue_);
    }
    // Run outside the lock: a function may post again.
    for (auto& fn : batch) fn();
    return batch.size();
}

PostToUi UiQueue::Poster() {
    return [this](std::function<void()> fn) { Post(std::move(fn)); };
}

}  // namespace packwell
