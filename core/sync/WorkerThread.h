#pragma once
// A thread that runs the jobs handed to it one after another. A Turbo slot keeps one for the whole
// run: starting a thread per file costs more than a small file's transfer on some systems (under
// Wine about 2 ms each, on the thread that hands out the work).
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace packwell {

class WorkerThread {
public:
    WorkerThread() = default;
    // Waits for the job in hand, then ends the thread.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Runs `job` on this thread (started on first use). Only when the previous job has ended.
    void Run(std::function<void()> job);
    // Returns once the job handed over last has ended.
    void Wait();

private:
    void Loop();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> job_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace packwell
