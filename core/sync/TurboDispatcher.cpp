#include "core/sync/TurboDispatcher.h"

#include "core/sync/RunTexts.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

std::unique_ptr<TFlow> CreateWorker(int slot, std::int32_t Numberr, const std::string& FromInet, const fs::path& SaveTo) {
    switch (slot) {
        case 0: return std::make_unique<TFlow1>(Numberr, FromInet, SaveTo);
        case 1: return std::make_unique<TFlow2>(Numberr, FromInet, SaveTo);
        case 2: return std::make_unique<TFlow3>(Numberr, FromInet, SaveTo);
        case 3: return std::make_unique<TFlow4>(Numberr, FromInet, SaveTo);
        default: return std::make_unique<TFlow5>(Numberr, FromInet, SaveTo);
    }
}

}  // namespace

TFlow::TFlow(std::int32_t Numberr, std::string FromInet, fs::path SaveTo)
    : FFromInet(std::move(FromInet)), FSaveTo(std::move(SaveTo)), FNumber(Numberr) {}

TFlow::~TFlow() { Join(); }

void TFlow::Start(WorkerThread& thread, const WorkerShared& shared, FutureDownloads::ProgressBar* bar,
                  std::function<void()> ended) {
    thread_ = &thread;
    thread.Run([this, &shared, bar, ended = std::move(ended)] {
        Execute(shared, bar);
        ended();
    });
}

void TFlow::Join() {
    if (thread_) thread_->Wait();
}

void TFlow::Execute(const WorkerShared& shared, FutureDownloads::ProgressBar* bar) const {
    const std::string& name = shared.MissingList.at(static_cast<std::size_t>(FNumber - 1));
    // Also run by the publisher, possibly after this worker (and the dispatcher) are gone: it
    // holds only what the run owns.
    const auto report = [&log = shared.Log, &counters = shared.Counters, observer = shared.Observer,
                         name](const StepResult& result) {
        ReportStep(result, name, log, counters);
        if (observer) observer(name, result);
    };
    const StepResult result =
        GuardedStep([&] {
            return FetchInto(FFromInet, FSaveTo,
                             {bar, &shared.Cancel, shared.Publisher, report, DigestOf(shared.Rules.digests, name),
                              shared.Rules.retry});
        });
    if (result.kind != StepKind::Handed) report(result);
}

TurboDispatcher::TurboDispatcher(const std::vector<std::string>& missingList, SyncPaths paths, StatusLog& log,
                                 RunCounters& counters, WorkerBars bars, PostToUi post, std::atomic<bool>& cancel,
                                 StepObserver observer, PartFilePublisher* publisher, FetchRules rules)
    : missingList_(missingList),
      paths_(std::move(paths)),
      log_(log),
      counters_(counters),
      bars_(bars),
      post_(std::move(post)),
      cancel_(cancel),
      shared_{missingList_, log_, counters_, cancel_, std::move(observer), publisher, rules} {}

TurboDispatcher::~TurboDispatcher() {
    cancel_ = true;
    *alive_ = false;
    for (auto& worker : slots_)
        if (worker) worker->Join();
}

void TurboDispatcher::Begin() {
    itemNumber_ = static_cast<std::int32_t>(missingList_.size());
    completed_ = false;
}

bool TurboDispatcher::AllSlotsEmpty() const {
    for (const auto& worker : slots_)
        if (worker) return false;
    return true;
}

TurboDispatcher::TickResult TurboDispatcher::Tick() {
    if (completed_) return TickResult::Idle;
    if (itemNumber_ > 0 && !cancel_) {
        HandOut();
        return TickResult::Dispatching;
    }
    if (!AllSlotsEmpty()) return TickResult::Draining;
    if (shared_.Publisher && !shared_.Publisher->Idle()) return TickResult::Draining;
    completed_ = true;
    return TickResult::Complete;
}

void TurboDispatcher::HandOut() {
    for (int slot = 0; slot < kWorkerSlots; ++slot)
        while (itemNumber_ > 0 && !cancel_ && !slots_[slot]) HandOutOrFail(slot);
}

void TurboDispatcher::HandOutOrFail(int slot) {
    const std::string& name = missingList_[static_cast<std::size_t>(itemNumber_ - 1)];
    const fs::path target = IsAdmissibleModName(name) ? paths_.Target(name) : fs::path();
    if (target.empty() || claimed_.contains(target) || (shared_.Publisher && shared_.Publisher->Pending(target))) {
        --itemNumber_;
        const StepResult failed{StepKind::Failed, 0, "файл уже загружается другим потоком или имя недопустимо"};
        ReportStep(failed, name, log_, counters_);
        if (shared_.Observer) shared_.Observer(name, failed);
        return;
    }
    FlowRun(slot, itemNumber_, paths_.SourceUrl(name), paths_.Target(name));
}

void TurboDispatcher::FlowRun(int slot, std::int32_t Numberr, const std::string& FromInet, const fs::path& SaveTo) {
    auto& worker = slots_[slot];
    worker = CreateWorker(slot, Numberr, FromInet, SaveTo);
    claimed_.insert(SaveTo);
    --itemNumber_;
    worker->Start(threads_[slot], shared_, bars_[slot], [post = post_, alive = alive_, this, slot] {
        post([alive, this, slot] {
            if (*alive) FlowEnded(slot);
        });
    });
}

void TurboDispatcher::FlowEnded(int slot) {
    auto& worker = slots_[slot];
    if (!worker) return;
    worker->Join();
    claimed_.erase(worker->FSaveTo);
    worker.reset();
    // The freed slot takes the next item now rather than on the next tick, which may be
    // 15 ms away: a run of small files would otherwise be bound by the timer.
    HandOut();
}

}  // namespace packwell
