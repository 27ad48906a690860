#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "core/sync/TurboDispatcher.h"
#include "tests/sync/SyncFixture.h"

namespace packwell::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using Tick = TurboDispatcher::TickResult;

const std::string kOneKiB(1024, 'k');

// The lines between the header and the summary, which appear in the order downloads finish.
std::vector<std::string> StepLines(const std::vector<std::string>& lines) {
    const auto first = std::find(lines.begin(), lines.end(), kHeaderLine);
    const auto last = std::find(lines.begin(), lines.end(), kClosingTitle);
    if (first == lines.end() || last == lines.end()) return {};
    return {first + 1, last};
}

std::int32_t Number(const TFlow* worker) { return worker ? worker->FNumber : 0; }

// Takes the end handlers the workers post and runs them one at a time, on the test's thread.
class OneByOneQueue {
public:
    PostToUi Poster() {
        return [this](std::function<void()> fn) {
            {
                std::lock_guard lock(mutex_);
                queue_.push_back(std::move(fn));
            }
            arrived_.notify_one();
        };
    }
    // Waits for the next posted function and runs it; false when none came.
    bool RunOne() {
        std::function<void()> fn;
        {
            std::unique_lock lock(mutex_);
            if (!arrived_.wait_for(lock, std::chrono::seconds(30), [this] { return !queue_.empty(); })) return false;
            fn = std::move(queue_.front());
            queue_.pop_front();
        }
        fn();
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::function<void()>> queue_;
};

class TurboDispatcherTest : public SyncTest {
protected:
    std::array<std::int32_t, 5> SlotNumbers() const {
        return {Number(dispatcher->WorkerSlot1()), Number(dispatcher->WorkerSlot2()), Number(dispatcher->WorkerSlot3()),
                Number(dispatcher->WorkerSlot4()), Number(dispatcher->WorkerSlot5())};
    }
    // Runs the queued end handlers, without ticking, until every slot is empty.
    void DrainUntilAllSlotsEmpty() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (SlotNumbers() != std::array<std::int32_t, 5>{}) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline);
            queue.Drain(std::chrono::milliseconds(5));
        }
    }

    std::vector<std::string> list;
    RunCounters counters;
    std::atomic<bool> cancel{false};
    std::array<MaximaBar, 5> bars;
    std::unique_ptr<TurboDispatcher> dispatcher;
};

TEST_F(TurboDispatcherTest, SevenItemsGoFromTheEndAndEachWorkersEndGivesItsSlotTheNextItemAtOnce) {
    for (int k = 1; k <= 7; ++k) {
        list.push_back("m" + std::to_string(k) + ".jar");
        Mod(list.back(), std::string(k * 100, 'x'));  // item k is k*100 bytes: its bar shows which
    }
    OneByOneQueue endHandlers;
    dispatcher = std::make_unique<TurboDispatcher>(
        list, paths, log, counters, WorkerBars{&bars[0], &bars[1], &bars[2], &bars[3], &bars[4]},
        endHandlers.Poster(), cancel);
    dispatcher->Begin();
    EXPECT_EQ(dispatcher->ItemNumber(), 7);

    EXPECT_EQ(dispatcher->Tick(), Tick::Dispatching);
    EXPECT_EQ(SlotNumbers(), (std::array<std::int32_t, 5>{7, 6, 5, 4, 3}));
    EXPECT_EQ(dispatcher->ItemNumber(), 2);

    // No tick from here on: the slot a worker leaves takes the next item in its end handler.
    std::array<int, 8> slotOfItem{};
    for (const std::int32_t next : {2, 1}) {
        const auto before = SlotNumbers();
        ASSERT_TRUE(endHandlers.RunOne());
        const auto after = SlotNumbers();
        int changed = 0;
        for (int slot = 0; slot < 5; ++slot) {
            if (before[slot] == after[slot]) continue;
            ++changed;
            EXPECT_EQ(after[slot], next) << "slot " << slot + 1;
            slotOfItem[next] = slot;
        }
        EXPECT_EQ(changed, 1);
    }
    EXPECT_EQ(dispatcher->ItemNumber(), 0);

    for (int ended = 0; ended < 5; ++ended) ASSERT_TRUE(endHandlers.RunOne());
    EXPECT_EQ(SlotNumbers(), (std::array<std::int32_t, 5>{}));
    EXPECT_EQ(dispatcher->Tick(), Tick::Complete);
    EXPECT_EQ(dispatcher->Tick(), Tick::Idle);

    EXPECT_EQ(counters.DoneCount.load(), 7);
    EXPECT_EQ(counters.DoneBytes.load(), 2800);
    // Slot k's bar first showed item 8-k, then the items its end handlers gave it.
    for (int slot = 0; slot < 5; ++slot) {
        std::vector<std::int64_t> expected{(7 - slot) * 100};
        for (const int item : {2, 1})
            if (slotOfItem[item] == slot) expected.push_back(item * 100);
        EXPECT_EQ(bars[slot].maxima(), expected) << "slot " << slot + 1;
    }
}

TEST_F(TurboDispatcherTest, ThreeItemsTakeTheFirstThreeSlotsAndLeaveTwoIdle) {
    list = {"a.jar", "b.jar", "c.jar"};
    for (const auto& name : list) Mod(name, kOneKiB);
    dispatcher = std::make_unique<TurboDispatcher>(list, paths, log, counters, WorkerBars{}, queue.Poster(), cancel);
    dispatcher->Begin();

    dispatcher->Tick();
    EXPECT_EQ(SlotNumbers(), (std::array<std::int32_t, 5>{3, 2, 1, 0, 0}));
    EXPECT_EQ(dispatcher->WorkerSlot1()->FSaveTo, paths.VersionModsDir / "c.jar");
    EXPECT_EQ(dispatcher->WorkerSlot1()->FFromInet, server.url("/mods3/c.jar"));
    DrainUntilAllSlotsEmpty();
}

TEST_F(SyncTest, TurboRunFetchesEverythingThenClosesWithSetupsAndTheCleanupDialog) {
    for (const char* name : {"a.jar", "b.jar", "c.jar"}) Mod(name, kOneKiB);

    Run(Request({"a.jar", "b.jar", "c.jar"}, /*turbo=*/true, /*setups=*/true, {"old.jar"}));

    const auto lines = Lines();
    EXPECT_THAT(StepLines(lines), UnorderedElementsAre("[t] Успешно: a.jar", "[t] Успешно: b.jar", "[t] Успешно: c.jar"));
    EXPECT_THAT(std::vector<std::string>(lines.end() - 3, lines.end()),
                ElementsAre(kClosingTitle, kElapsedLine, "Объем загруженых файлов(3 из 3): 3 Кб"));
    EXPECT_EQ(lines.front(), kHeaderLine);
    EXPECT_THAT(host.calls, ElementsAre("ChngSize(2)", "Timer6(on)", "Timer6(off)", "StartSetupsPlus",
                                        "ShowCleanupDialog", "EnableWindow"));
    EXPECT_EQ(host.linesAtSetups, 4u);
}

TEST_F(SyncTest, TurboRunHandsOutWithoutFurtherTicksAndCompletesOnTheFirstTickAfterwards) {
    std::vector<std::string> names;
    for (int k = 1; k <= 12; ++k) {
        names.push_back("m" + std::to_string(k) + ".jar");
        Mod(names.back(), kOneKiB);
    }
    SyncRun run(Request(names, /*turbo=*/true), log, host, WorkerBars{}, queue.Poster());
    run.Start();
    run.Tick();  // Timer6's first tick hands out five items; it does not tick again below

    const auto downloaded = [&] {
        const auto lines = Lines();
        return std::count_if(lines.begin(), lines.end(),
                             [](const std::string& line) { return line.starts_with("[t] Успешно: m"); });
    };
    const auto handedOutAndEnded = [&] {
        const TurboDispatcher& d = *run.Dispatcher();
        return d.ItemNumber() == 0 && !d.WorkerSlot1() && !d.WorkerSlot2() && !d.WorkerSlot3() &&
               !d.WorkerSlot4() && !d.WorkerSlot5() && downloaded() == 12;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!handedOutAndEnded()) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "items wait for a tick";
        queue.Drain(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(run.Finished());  // completing stays the timer's job

    while (!run.Finished()) run.Tick();  // at most until the last file has its name
    EXPECT_EQ(Lines().back(), "Объем загруженых файлов(12 из 12): 12 Кб");
    EXPECT_THAT(host.calls, ElementsAre("ChngSize(2)", "Timer6(on)", "Timer6(off)", "ChngSize(0)", "EnableWindow"));
}

TEST_F(SyncTest, TurboDownloadsEvenWhenACopyLiesInTheModsFolder) {
    Mod("a.jar", "from the server");
    Stray("a.jar", "stray copy");

    Run(Request({"a.jar"}, /*turbo=*/true));

    EXPECT_THAT(StepLines(Lines()), ElementsAre("[t] Успешно: a.jar"));
    EXPECT_EQ(readFile(paths.VersionModsDir / "a.jar"), "from the server");
    EXPECT_EQ(readFile(paths.ModsDir / "a.jar"), "stray copy");
}

TEST_F(SyncTest, TurboRunWhereEveryDownloadFailsCountsNothingAndWarns) {
    Run(Request({"a.jar", "b.jar", "c.jar"}, /*turbo=*/true));  // nothing is served

    const auto lines = Lines();
    EXPECT_THAT(StepLines(lines), UnorderedElementsAre("[t]  ! Ошибка загрузки: a.jar", "[t]  ! Ошибка загрузки: b.jar",
                                                       "[t]  ! Ошибка загрузки: c.jar"));
    EXPECT_THAT(std::vector<std::string>(lines.end() - 3, lines.end()),
                ElementsAre("Объем загруженых файлов(0 из 3): 0 Байт", " ", kWarningLine));
    EXPECT_THAT(listDir(paths.VersionModsDir), IsEmpty());
    EXPECT_EQ(host.calls.back(), "EnableWindow");
}

TEST_F(SyncTest, TurboNeverLetsTwoWorkersWriteTheSameFile) {
    // Both occurrences are handed out in the same tick, so their downloads would overlap.
    Mod("a.jar", kOneKiB);

    Run(Request({"a.jar", "a.jar"}, /*turbo=*/true));

    EXPECT_THAT(StepLines(Lines()), UnorderedElementsAre("[t] Успешно: a.jar", "[t]  ! Ошибка загрузки: a.jar"));
    EXPECT_EQ(Lines().back(), kWarningLine);
    EXPECT_EQ(server.requestCount(), 1u);
    EXPECT_THAT(listDir(paths.VersionModsDir), ElementsAre("a.jar"));
}

TEST_F(SyncTest, ErrorRaisedInsideAWorkerEndsItWithItsFailureLine) {
    Mod("b.jar", kOneKiB);
    Mod("empty.jar", "");  // worker 1 takes the last item; its bar raises for an empty body
    RaisingBar raising;

    Run(Request({"b.jar", "empty.jar"}, /*turbo=*/true), {&raising});

    EXPECT_THAT(StepLines(Lines()), UnorderedElementsAre("[t] Успешно: b.jar", "[t]  ! Ошибка загрузки: empty.jar"));
    EXPECT_EQ(Lines().back(), kWarningLine);
    EXPECT_EQ(host.calls.back(), "EnableWindow");
}

TEST_F(SyncTest, ClosingDuringATurboRunStopsTheWorkersAndLeavesNoPartialFile) {
    server.serveStall("/mods3/big.jar", 1 << 20, std::string(64 * 1024, 'h'));
    auto run = std::make_unique<SyncRun>(Request({"big.jar"}, /*turbo=*/true), log, host, WorkerBars{}, queue.Poster());
    run->Start();
    run->Tick();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (server.requestCount() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(server.requestCount(), 1u);

    const auto closing = std::chrono::steady_clock::now();
    run.reset();  // the window goes away
    EXPECT_LT(std::chrono::steady_clock::now() - closing, std::chrono::seconds(5));
    queue.Drain();  // an end handler posted meanwhile must find nothing to touch

    EXPECT_THAT(listDir(paths.VersionModsDir), IsEmpty());
}

}  // namespace
}  // namespace packwell::test
