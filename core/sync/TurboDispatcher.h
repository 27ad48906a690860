#pragma once
// Turbo: up to five worker threads, each fetching one file with its own bar. Timer6 (Tag 0)
// ticks the dispatcher on the UI thread and completes the run; a worker's end handler, posted
// back there, hands its slot the next item at once. So the slots, ItemNumber and the claims on
// targets are only ever touched by the UI thread.
#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/check/SyncLists.h"
#include "core/log/StatusLog.h"
#include "core/sync/FileStep.h"
#include "core/sync/PartFilePublisher.h"
#include "core/sync/RunCounters.h"
#include "core/sync/StepObserver.h"
#include "core/sync/SyncPaths.h"
#include "core/sync/UiQueue.h"
#include "core/sync/WorkerThread.h"
#include "net/FutureDownloads/ProgressBar.h"

namespace packwell {

inline constexpr int kWorkerSlots = 5;
using WorkerBars = std::array<FutureDownloads::ProgressBar*, kWorkerSlots>;

// What all workers of one run share: read-only, or safe from any thread.
struct WorkerShared {
    const std::vector<std::string>& MissingList;
    StatusLog& Log;
    RunCounters& Counters;
    const std::atomic<bool>& Cancel;
    StepObserver Observer;
    PartFilePublisher* Publisher;  // null: each worker names its own file
    FetchRules Rules;              // each name's digest and the retry schedule, when given
};

// One worker: one file, run on its slot's thread. Constructed with its item (the "Create"),
// started once, joined by its end handler.
class TFlow {
public:
    TFlow(std::int32_t Numberr, std::string FromInet, std::filesystem::path SaveTo);
    ~TFlow();
    TFlow(const TFlow&) = delete;
    TFlow& operator=(const TFlow&) = delete;

    const std::string FFromInet;         // BaseUrl + ModsUrlPath + name
    const std::filesystem::path FSaveTo;  // VersionModsDir/name
    const std::int32_t FNumber;          // 1-based position in MissingList

    // Runs Execute on `thread`, then `ended` on that same thread.
    void Start(WorkerThread& thread, const WorkerShared& shared, FutureDownloads::ProgressBar* bar,
               std::function<void()> ended);
    // Returns once Execute and `ended` are over.
    void Join();

private:
    void Execute(const WorkerShared& shared, FutureDownloads::ProgressBar* bar) const;
    WorkerThread* thread_ = nullptr;
};

// The five worker kinds differ only in their slot; the names stay for readers of the window code.
template <int Slot>
class TFlowN : public TFlow {
public:
    static_assert(Slot >= 1 && Slot <= kWorkerSlots);
    using TFlow::TFlow;
};
using TFlow1 = TFlowN<1>;
using TFlow2 = TFlowN<2>;
using TFlow3 = TFlowN<3>;
using TFlow4 = TFlowN<4>;
using TFlow5 = TFlowN<5>;

class TurboDispatcher {
public:
    enum class TickResult {
        Dispatching,  // items were (or still are) to be handed out
        Draining,     // all handed out, a worker still runs
        Complete,     // this tick found nothing left and every slot empty: close the run now
        Idle,         // completed on an earlier tick
    };

    // `cancel` is the owner's stop flag: once set, downloads abort and nothing more is handed out.
    // With a publisher, a worker's fetched file is named (and its line written) by it, and the
    // run completes only once it has named them all; it must outlive the dispatcher's workers.
    // What `rules` points to must outlive it too.
    TurboDispatcher(const std::vector<std::string>& missingList, SyncPaths paths, StatusLog& log,
                    RunCounters& counters, WorkerBars bars, PostToUi post, std::atomic<bool>& cancel,
                    StepObserver observer = {}, PartFilePublisher* publisher = nullptr, FetchRules rules = {});
    // Cancels running downloads and waits for their threads: no thread outlives the run, and
    // the download's part file keeps a cut-off transfer from lying under a mod's name.
    ~TurboDispatcher();
    TurboDispatcher(const TurboDispatcher&) = delete;
    TurboDispatcher& operator=(const TurboDispatcher&) = delete;

    // Sets ItemNumber to the list's length.
    void Begin();
    TickResult Tick();

    std::int32_t ItemNumber() const { return itemNumber_; }

    void Flow1Run(std::int32_t Numberr, const std::string& FromInet, const std::filesystem::path& SaveTo) { FlowRun(0, Numberr, FromInet, SaveTo); }
    void Flow2Run(std::int32_t Numberr, const std::string& FromInet, const std::filesystem::path& SaveTo) { FlowRun(1, Numberr, FromInet, SaveTo); }
    void Flow3Run(std::int32_t Numberr, const std::string& FromInet, const std::filesystem::path& SaveTo) { FlowRun(2, Numberr, FromInet, SaveTo); }
    void Flow4Run(std::int32_t Numberr, const std::string& FromInet, const std::filesystem::path& SaveTo) { FlowRun(3, Numberr, FromInet, SaveTo); }
    void Flow5Run(std::int32_t Numberr, const std::string& FromInet, const std::filesystem::path& SaveTo) { FlowRun(4, Numberr, FromInet, SaveTo); }
    void Flow1Ended() { FlowEnded(0); }
    void Flow2Ended() { FlowEnded(1); }
    void Flow3Ended() { FlowEnded(2); }
    void Flow4Ended() { FlowEnded(3); }
    void Flow5Ended() { FlowEnded(4); }
    const TFlow* WorkerSlot1() const { return slots_[0].get(); }
    const TFlow* WorkerSlot2() const { return slots_[1].get(); }
    const TFlow* WorkerSlot3() const { return slots_[2].get(); }
    const TFlow* WorkerSlot4() const { return slots_[3].get(); }
    const TFlow* WorkerSlot5() const { return slots_[4].get(); }

private:
    // Starts the worker of `slot` (0-based) for one item and lowers ItemNumber.
    void FlowRun(int slot, std::int32_t Numberr, const std::string& FromInet, const std::filesystem::path& SaveTo);
    // The end handler: runs on the UI thread once the worker's body is over; empties the slot
    // and hands out what is left.
    void FlowEnded(int slot);
    // Gives the free slots, in the order 1 to 5, the next items from the end of the list,
    // unless the run is cancelled.
    void HandOut();
    // A name that cannot become a path, or whose target another worker is writing or the
    // publisher is about to name, fails at once, as a duplicate fails in the sequential run:
    // one file never has two writers.
    void HandOutOrFail(int slot);
    bool AllSlotsEmpty() const;

    const std::vector<std::string>& missingList_;
    const SyncPaths paths_;
    StatusLog& log_;
    RunCounters& counters_;
    const WorkerBars bars_;
    const PostToUi post_;
    std::atomic<bool>& cancel_;
    const WorkerShared shared_;
    // Set false by the destructor; end handlers posted after it must not touch this object.
    // Read and written on the UI thread only.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    std::int32_t itemNumber_ = 0;
    bool completed_ = false;
    std::set<std::filesystem::path> claimed_;  // targets being written by a running worker
    // Before the slots: a worker is joined (by its destructor) while its thread still exists.
    std::array<WorkerThread, kWorkerSlots> threads_;
    std::array<std::unique_ptr<TFlow>, kWorkerSlots> slots_;
};

}  // namespace packwell
