#include "core/sync/SequentialRun.h"

namespace packwell {

void RunSequential(const std::vector<std::string>& missingList, const SyncPaths& paths, const FetchContext& context,
                   StatusLog& log, RunCounters& counters, const StepObserver& observer) {
    for (const std::string& name : missingList) {
        if (context.cancel && context.cancel->load()) return;
        const StepResult result = GuardedStep([&] { return ObtainMod(paths, name, context); });
        ReportStep(result, name, log, counters);
        if (observer) observer(name, result);
    }
}

}  // namespace packwell
