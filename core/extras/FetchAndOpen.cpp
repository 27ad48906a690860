#include "core/extras/FetchAndOpen.h"

#include <exception>
#include <memory>
#include <system_error>

#include "net/FutureDownloads/FutureDownloads.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

class ReleaseOnExit {
public:
    explicit ReleaseOnExit(bool& busy) : busy_(busy) {}
    ~ReleaseOnExit() { busy_ = false; }
    ReleaseOnExit(const ReleaseOnExit&) = delete;
    ReleaseOnExit& operator=(const ReleaseOnExit&) = delete;

private:
    bool& busy_;
};

// Runs on the download's thread.
FetchAndOpenOutcome Fetch(const FetchAndOpenRequest& request, const std::atomic<bool>& stop) {
    std::error_code ec;
    fs::remove(request.file, ec);  // a copy still running stays, and the download then refuses it
    try {
        const auto fetched = FutureDownloads::Download(request.url, request.file, {.bar = request.bar, .cancel = &stop});
        if (fetched.error == FutureDownloads::DownloadError::Cancelled) return {FetchAndOpenResult::Stopped, {}};
        if (!fetched) return {FetchAndOpenResult::DownloadFailed, FutureDownloads::FailureText(fetched)};
    } catch (const std::exception& e) {
        return {FetchAndOpenResult::DownloadFailed, e.what()};
    }
    return {};
}

}  // namespace

FetchAndOpen::FetchAndOpen(PostToUi post, FileOpener opener) : opener_(std::move(opener)), job_(std::move(post)) {}

FetchStart FetchAndOpen::Start(FetchAndOpenRequest request, Ended ended) {
    if (busy_) return FetchStart::AlreadyRunning;
    if (job_.Stopped()) return FetchStart::Stopped;
    busy_ = true;
    try {
        if (request.chngSize) request.chngSize(1);
    } catch (...) {
        busy_ = false;
        throw;
    }

    auto shared = std::make_shared<const FetchAndOpenRequest>(std::move(request));
    auto outcome = std::make_shared<FetchAndOpenOutcome>();
    const bool started = job_.Start(
        [shared, outcome](const std::atomic<bool>& stop) { *outcome = Fetch(*shared, stop); },
        [this, shared, outcome, ended](std::exception_ptr error) {
            if (error) *outcome = {FetchAndOpenResult::DownloadFailed, "unknown error"};
            Finish(*shared, *outcome, ended);
        });
    // Closing began while layout 1 was reached: the end steps run now.
    if (!started) Finish(*shared, {FetchAndOpenResult::Stopped, {}}, ended);
    return FetchStart::Started;
}

void FetchAndOpen::Finish(const FetchAndOpenRequest& request, const FetchAndOpenOutcome& outcome, const Ended& ended) {
    std::error_code ec;
    // Asking the desktop to open a file that is not there would only show its own error box.
    if (outcome.result != FetchAndOpenResult::Stopped && fs::is_regular_file(request.file, ec)) {
        try {
            opener_(request.file, request.workingDir);
        } catch (const std::exception&) {
            // The desktop's answer is not acted on.
        }
    }
    {
        // Released however the switch ends, so an error never leaves the item dead.
        const ReleaseOnExit release(busy_);
        if (request.chngSize) request.chngSize(0);
    }
    if (ended) ended(outcome);
}

}  // namespace packwell
