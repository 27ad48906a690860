#pragma once
// The one-after-another part of a run: every name of the list in order, on the calling thread.
#include <atomic>
#include <string>
#include <vector>

#include "core/check/SyncLists.h"
#include "core/log/StatusLog.h"
#include "core/sync/FileStep.h"
#include "core/sync/RunCounters.h"
#include "core/sync/StepObserver.h"
#include "core/sync/SyncPaths.h"

namespace packwell {

// Stops early, without logging the names left, once `context.cancel` is set. With a publisher
// in the context, the next file downloads while the last ones are being named; the lines still
// come in list order, each "Успешно: " once the file has its name, and the call returns once
// every file has been named.
// Each name is fetched against its digest in `digests`, when that gives one.
void RunSequential(const std::vector<std::string>& missingList, const SyncPaths& paths, const FetchContext& context,
                   StatusLog& log, RunCounters& counters, const StepObserver& observer = {},
                   const ModDigests* digests = nullptr);

}  // namespace packwell
