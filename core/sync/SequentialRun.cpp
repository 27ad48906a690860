#include "core/sync/SequentialRun.h"

namespace packwell {

void RunSequential(const std::vector<std::string>& missingList, const SyncPaths& paths, const FetchContext& context,
                   StatusLog& log, RunCounters& counters, const StepObserver& observer, const ModDigests* digests) {
    PartFilePublisher* const publisher = context.publisher;
    const auto report = [&log, &counters, &observer](const std::string& name, const StepResult& result) {
        ReportStep(result, name, log, counters);
        if (observer) observer(name, result);
    };
    for (const std::string& name : missingList) {
        if (context.cancel && context.cancel->load()) break;
        FetchContext step = context;
        step.named = [report, name](const StepResult& result) { report(name, result); };
        step.sha256 = DigestOf(digests, name);
        // A name listed twice finds its first copy in place, as it would had that been named at once.
        if (publisher && publisher->Pending(paths.Target(name))) publisher->Flush();
        const StepResult result = GuardedStep([&] { return ObtainMod(paths, name, step); });
        if (result.kind == StepKind::Handed) continue;
        if (publisher) publisher->Flush();  // the lines of the files before this one come first
        report(name, result);
    }
    if (publisher) publisher->Flush();
}

}  // namespace packwell
