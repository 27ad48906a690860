#pragma once
// The closing steps every run ends with, sequential or Turbo.
#include <cstddef>

#include "core/log/StatusLog.h"
#include "core/sync/RunCounters.h"
#include "core/sync/RunHost.h"

namespace packwell {

struct ClosingFacts {
    std::size_t listLength = 0;  // items of MissingList
    bool hasDeletable = false;   // DeleteList not empty
    bool setups = false;         // "Setups" checked
};

// Setups (or the normal layout), the summary with the elapsed time, the warning when files are
// missing, the cleanup dialog, and the window enabled. The summary comes after Setups, so the
// elapsed time includes its download. A failing Setups step does not stop the others.
void CloseRun(const ClosingFacts& facts, const RunCounters& counters, StatusLog& log, RunHost& host);

}  // namespace packwell
