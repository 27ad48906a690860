#include "core/sync/RunClosing.h"

#include <chrono>
#include <exception>

#include "core/sync/RunTexts.h"

namespace packwell {

void CloseRun(const ClosingFacts& facts, const RunCounters& counters, StatusLog& log, RunHost& host) {
    if (facts.setups) {
        try {
            host.StartSetupsPlus();
        } catch (const std::exception&) {
            host.ChngSize(BarLayout::Normal);  // the run's end must still reach the summary
        }
    } else {
        host.ChngSize(BarLayout::Normal);
    }

    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - counters.RunStart);
    const auto doneCount = counters.DoneCount.load();
    const auto listLength = static_cast<std::int64_t>(facts.listLength);
    log.Console(false, run_texts::Summary(elapsed, doneCount, listLength, counters.DoneBytes.load()));
    if (doneCount != listLength) log.Console(1, false, run_texts::kNotAllObtained);

    if (facts.hasDeletable) host.ShowCleanupDialog();
    host.EnableWindow();
}

}  // namespace packwell
