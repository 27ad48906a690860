#include "core/jobs/BackgroundJob.h"

namespace packwell {

BackgroundJob::BackgroundJob(PostToUi post) : post_(std::move(post)) {}

BackgroundJob::~BackgroundJob() {
    *alive_ = false;
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

bool BackgroundJob::Start(Work work, Ended ended) {
    if (running_ || stop_) return false;
    // The thread of the job before has posted its end already and is on its way out.
    if (thread_.joinable()) thread_.join();
    running_ = true;
    thread_ = std::thread([this, work = std::move(work), ended = std::move(ended), alive = alive_]() mutable {
        std::exception_ptr error;
        try {
            work(stop_);
        } catch (...) {
            error = std::current_exception();
        }
        // The last thing this thread does: after the post, only the UI thread touches the job.
        post_([this, ended = std::move(ended), alive = std::move(alive), error] {
            if (!*alive) return;
            if (thread_.joinable()) thread_.join();
            running_ = false;
            if (ended) ended(error);
        });
    });
    return true;
}

}  // namespace packwell
