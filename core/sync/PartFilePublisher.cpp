#include "core/sync/PartFilePublisher.h"

namespace packwell {

using platform::PartFile;

PartFilePublisher::PartFilePublisher() : thread_([this] { Loop(); }) {}

PartFilePublisher::~PartFilePublisher() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

void PartFilePublisher::Publish(std::unique_ptr<PartFile> file, Named named) {
    {
        std::lock_guard lock(mutex_);
        pending_.insert(file->Target());
        queue_.push_back({std::move(file), std::move(named)});
    }
    changed_.notify_all();
}

bool PartFilePublisher::Pending(const std::filesystem::path& target) const {
    std::lock_guard lock(mutex_);
    return pending_.contains(target);
}

bool PartFilePublisher::Idle() const {
    std::lock_guard lock(mutex_);
    return queue_.empty() && !busy_;
}

void PartFilePublisher::Flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return (queue_.empty() && !busy_) || stopping_; });
}

void PartFilePublisher::Loop() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return !queue_.empty() || stopping_; });
        if (stopping_) return;
        // Whatever finished while the last batch was on its way to the disk goes in one batch.
        std::deque<Item> batch;
        batch.swap(queue_);
        busy_ = true;
        lock.unlock();
        NameBatch(batch);
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

void PartFilePublisher::NameBatch(std::deque<Item>& batch) {
    // Every file of the batch lies in one folder, so one sync covers them all; when it fails,
    // each file is synced on its own and reports its own failure.
    const bool synced = batch.front().file->SyncFileSystem();
    for (Item& item : batch) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;  // closing: the rest stay part files and are removed
        }
        const auto result = synced ? item.file->Name() : item.file->Commit();
        const std::string error = item.file->Error();
        const std::filesystem::path target = item.file->Target();
        item.file.reset();  // a part file that did not take its name goes now
        item.named(result, error);
        std::lock_guard lock(mutex_);
        pending_.erase(pending_.find(target));
    }
}

}  // namespace packwell
