#include "core/extras/FetchAndOpen.h"

#include <exception>
#include <system_error>

#include "net/FutureDownloads/FutureDownloads.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

template <typename F>
class OnScopeExit {
public:
    explicit OnScopeExit(F f) : f_(std::move(f)) {}
    ~OnScopeExit() { f_(); }
    OnScopeExit(const OnScopeExit&) = delete;
    OnScopeExit& operator=(const OnScopeExit&) = delete;

private:
    F f_;
};

}  // namespace

FetchAndOpen::FetchAndOpen(FileOpener opener) : opener_(std::move(opener)) {}

FetchAndOpenOutcome FetchAndOpen::Run(const FetchAndOpenRequest& request) {
    if (busy_) return {FetchAndOpenResult::AlreadyRunning, {}};
    busy_ = true;
    OnScopeExit release([this] { busy_ = false; });

    if (request.chngSize) request.chngSize(1);
    OnScopeExit normalLayout([&] {
        if (request.chngSize) request.chngSize(0);
    });

    std::error_code ec;
    fs::remove(request.file, ec);  // a copy still running stays, and the download then refuses it

    FetchAndOpenOutcome outcome;
    try {
        const auto fetched = FutureDownloads::Download(request.url, request.file, {.bar = request.bar});
        if (!fetched) outcome = {FetchAndOpenResult::DownloadFailed, FutureDownloads::FailureText(fetched)};
    } catch (const std::exception& e) {
        outcome = {FetchAndOpenResult::DownloadFailed, e.what()};
    }

    // Asking the desktop to open a file that is not there would only show its own error box.
    if (fs::is_regular_file(request.file, ec)) {
        try {
            opener_(request.file, request.workingDir);
        } catch (const std::exception&) {
            // The desktop's answer is not acted on.
        }
    }
    return outcome;
}

}  // namespace packwell
