#pragma once
// Fetch a program from the server into the game folder and hand it to the desktop to open:
// what "Forge Install" does (and what "Setups+" does with its own file).
#include <filesystem>
#include <functional>
#include <string>

#include "core/extras/FileOpener.h"
#include "net/FutureDownloads/ProgressBar.h"

namespace packwell {

enum class FetchAndOpenResult {
    Downloaded,      // the fresh copy arrived and was handed to the opener
    DownloadFailed,  // no fresh copy; an old copy that could not be deleted is opened all the same
    AlreadyRunning,  // started again while its download runs: nothing done
};

struct FetchAndOpenRequest {
    std::string url;
    std::filesystem::path file;        // the local copy, replaced at every start
    std::filesystem::path workingDir;  // the opened program's current folder
    FutureDownloads::ProgressBar* bar = nullptr;
    std::function<void(int layout)> chngSize;  // the window's layout switch: 1 before, 0 after
};

struct FetchAndOpenOutcome {
    FetchAndOpenResult result = FetchAndOpenResult::Downloaded;
    std::string detail;  // why the download failed, in plain words
};

// One per window item: its guard keeps a second press from running inside the first while
// the download handles the window's events.
class FetchAndOpen {
public:
    explicit FetchAndOpen(FileOpener opener = OpenWithDesktop);

    // Layout 1, delete the old copy, download with the bar, open what is there, layout 0
    // (also when something raised). Nothing is opened when no file is there.
    FetchAndOpenOutcome Run(const FetchAndOpenRequest& request);
    bool Busy() const { return busy_; }

private:
    FileOpener opener_;
    bool busy_ = false;
};

}  // namespace packwell
