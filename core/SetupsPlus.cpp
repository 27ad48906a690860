#include "core/SetupsPlus.h"

#include <exception>
#include <system_error>

#include "net/FutureDownloads/FutureDownloads.h"
#include "platform/Processes.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

// Runs `onExit` however the scope is left.
template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F f_;
};

}  // namespace

void OpenWithDesktop(const fs::path& file, const fs::path& workingDir) {
    // The paths travel as arguments, never inside the script text.
    platform::SpawnDetached({"sh", "-c", "cd \"$1\" && exec xdg-open \"$2\"", "sh", workingDir.string(), file.string()});
}

SetupsPlus::SetupsPlus(FileOpener opener) : opener_(std::move(opener)) {}

SetupsOutcome SetupsPlus::Start(const SetupsRequest& request) {
    if (busy_) return {SetupsStart::AlreadyRunning, {}};
    busy_ = true;
    ScopeExit release([this] { busy_ = false; });

    if (request.chngSize) request.chngSize(1);
    ScopeExit normalLayout([&] {
        if (request.chngSize) request.chngSize(0);
    });

    const fs::path program = request.gameDir / kSetupsFileName;
    std::error_code ec;
    fs::remove(program, ec);  // a copy still running stays and is opened again

    SetupsOutcome outcome;
    try {
        FutureDownloads::DownloadOptions options;
        options.bar = request.bar;
        const auto fetched = FutureDownloads::Download(request.baseUrl + "/" + kSetupsFileName, program, options);
        if (!fetched) outcome = {SetupsStart::DownloadFailed, fetched.detail};
    } catch (const std::exception& e) {
        outcome = {SetupsStart::DownloadFailed, e.what()};
    }

    // Asking the desktop to open a file that is not there would only show its own error.
    if (fs::is_regular_file(program, ec)) {
        try {
            opener_(program, request.gameDir);
        } catch (const std::exception&) {
            // The shell's answer is not acted on.
        }
    }
    return outcome;
}

}  // namespace packwell
