#include "core/sync/WorkerThread.h"

#include <stdexcept>

namespace packwell {

WorkerThread::~WorkerThread() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void WorkerThread::Run(std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        if (busy_) throw std::logic_error("WorkerThread: a job is still running");
        job_ = std::move(job);
        busy_ = true;
    }
    if (!thread_.joinable()) thread_ = std::thread([this] { Loop(); });
    changed_.notify_all();
}

void WorkerThread::Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
}

void WorkerThread::Loop() {
    std::unique_lock lock(mutex_);
    while (true) {
        // A job handed over before the stop still runs: its owner waits for it.
        changed_.wait(lock, [this] { return job_ || stopping_; });
        if (!job_) return;
        std::function<void()> job = std::move(job_);
        job_ = nullptr;
        lock.unlock();
        job();
        job = nullptr;  // what the job holds goes before its end is announced
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace packwell
