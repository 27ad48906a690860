#pragma once
// The compatibility check with the window kept alive: the connection is asked on the UI thread,
// the manifest fetch and the folder scan run on a thread of their own, and the lists are
// replaced back on the UI thread. The log lines come in the same order as when the check held
// the UI thread, as they are written. The window takes no input meanwhile, and its folder
// validation waits until the end: it would otherwise change the layout and the folders under
// the check, which no validation could do while the check held the UI thread.
#include <exception>
#include <functional>

#include "core/check/CompatibilityCheck.h"
#include "core/jobs/BackgroundJob.h"

namespace packwell {

enum class CheckStart {
    Started,       // the end handler follows on the UI thread
    NoConnection,  // the two lines of the connection test are logged; nothing else happened
    NotNow,        // a check runs already, or the program is closing: nothing happened
};

class BackgroundCheck {
public:
    // On the UI thread once the check is over: its outcome, or what it raised (the outcome
    // then says nothing, and the lists are unchanged).
    using Ended = std::function<void(const CheckOutcome& outcome, std::exception_ptr error)>;

    explicit BackgroundCheck(PostToUi post) : job_(std::move(post)) {}

    // `log` and `lists` must outlive this object; `lists` is replaced on the UI thread, and
    // only when the outcome is Checked.
    CheckStart Start(StatusLog& log, CheckRequest request, SyncLists& lists, Ended ended);
    bool Running() const { return job_.Running(); }
    // Closing: a manifest fetch still running stops, and no check starts any more.
    void Stop() { job_.Stop(); }

private:
    BackgroundJob job_;
};

}  // namespace packwell
