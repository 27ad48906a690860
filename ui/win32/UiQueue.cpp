#include "ui/win32/UiQueue.h"

namespace packwell::win32 {

void UiQueue::Post(std::function<void()> work) {
    {
        const std::lock_guard guard(lock_);
        work_.push_back(std::move(work));
    }
    PostMessageW(window_, kMessage, 0, 0);
}

void UiQueue::Drain() {
    for (;;) {
        std::function<void()> next;
        {
            const std::lock_guard guard(lock_);
            if (work_.empty()) return;
            next = std::move(work_.front());
            work_.pop_front();
        }
        next();
    }
}

}  // namespace packwell::win32
