#include "core/sync/SyncRun.h"

#include "core/sync/RunClosing.h"
#include "core/sync/RunTexts.h"
#include "core/sync/SequentialRun.h"

namespace packwell {

SyncRun::SyncRun(RunRequest request, StatusLog& log, RunHost& host, WorkerBars bars, PostToUi post,
                 StepObserver observer)
    : request_(std::move(request)),
      log_(log),
      host_(host),
      bars_(bars),
      post_(std::move(post)),
      observer_(std::move(observer)) {}

SyncRun::~SyncRun() = default;

void SyncRun::Start() {
    const auto& lists = request_.lists;
    if (lists.MissingList.empty()) {
        // The cleanup dialog gives the window back when it is done.
        if (!lists.DeleteList.empty()) host_.ShowCleanupDialog();
        else host_.EnableWindow();  // nothing to do must not leave the window disabled
        finished_ = true;
        return;
    }

    log_.Console(1, false, run_texts::kHeader);
    counters_.DoneCount = 0;
    counters_.DoneBytes = 0;
    counters_.RunStart = std::chrono::steady_clock::now();

    if (request_.turbo) {
        host_.ChngSize(BarLayout::FiveBars);
        // Without a batched sync the publisher would only commit the five workers' files one by
        // one on its single thread: each worker commits its own instead, in parallel.
        PartFilePublisher* const publisher = platform::PartFile::HasFileSystemSync() ? &publisher_ : nullptr;
        dispatcher_ = std::make_unique<TurboDispatcher>(lists.MissingList, request_.paths, log_, counters_, bars_,
                                                        post_, cancel_, observer_, publisher,
                                                        FetchRules{&lists.Digests, &request_.retry});
        dispatcher_->Begin();
        host_.SetDispatcherTimer(true);
        return;
    }

    host_.ChngSize(BarLayout::OneBar);
    RunSequential(lists.MissingList, request_.paths, {bars_[0], &cancel_, &publisher_, {}, std::nullopt, &request_.retry},
                  log_, counters_, observer_, &lists.Digests);
    Close();
}

void SyncRun::Tick() {
    if (!dispatcher_ || finished_) return;
    if (dispatcher_->Tick() != TurboDispatcher::TickResult::Complete) return;
    // Stopped before the closing steps, which handle events, so the summary is written once.
    host_.SetDispatcherTimer(false);
    Close();
}

void SyncRun::Close() {
    finished_ = true;
    CloseRun({request_.lists.MissingList.size(), !request_.lists.DeleteList.empty(), request_.setups}, counters_, log_,
             host_);
}

}  // namespace packwell
