#include "core/check/BackgroundCheck.h"

#include <memory>

namespace packwell {

CheckStart BackgroundCheck::Start(StatusLog& log, CheckRequest request, SyncLists& lists, Ended ended) {
    if (job_.Running() || job_.Stopped()) return CheckStart::NotNow;
    // Asked here, so an offline press logs its lines at once and starts no thread.
    if (!Conecteon(log, request.isConnected)) return CheckStart::NoConnection;
    request.isConnected = [] { return true; };  // asked a moment ago

    struct Found {
        CheckOutcome outcome;
        SyncLists lists;
    };
    auto found = std::make_shared<Found>();
    const bool started = job_.Start(
        [&log, request = std::move(request), found](const std::atomic<bool>& stop) mutable {
            request.cancel = &stop;
            found->outcome = RunCompatibilityCheck(log, request, found->lists);
        },
        [&lists, found, ended = std::move(ended)](std::exception_ptr error) {
            if (!error && found->outcome.result == CheckResult::Checked) lists = std::move(found->lists);
            if (ended) ended(found->outcome, error);
        });
    return started ? CheckStart::Started : CheckStart::NotNow;
}

}  // namespace packwell
