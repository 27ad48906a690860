#pragma once
// Fetch a program from the server into the game folder and hand it to the desktop to open:
// what "Forge Install" does (and what "Setups+" does with its own file). The download runs on
// a thread of its own, so a server that stalls never holds the window.
#include <filesystem>
#include <functional>
#include <string>

#include "core/extras/FileOpener.h"
#include "platform/Desktop.h"
#include "core/jobs/BackgroundJob.h"
#include "net/FutureDownloads/ProgressBar.h"

namespace packwell {

enum class FetchAndOpenResult {
    Downloaded,      // the fresh copy arrived and was handed to the opener
    DownloadFailed,  // no fresh copy; an old copy that could not be deleted is opened all the same
    Stopped,         // the program is closing: the download was cut off and nothing opened
};

enum class FetchStart {
    Started,         // the end steps follow on the UI thread
    AlreadyRunning,  // started again while its download runs: nothing done
    Stopped,         // the program is closing: nothing done
};

struct FetchAndOpenRequest {
    std::string url;
    std::filesystem::path file;        // the local copy, replaced at every start
    std::filesystem::path workingDir;  // the opened program's current folder
    FutureDownloads::ProgressBar* bar = nullptr;  // driven from the download's thread
    std::function<void(int layout)> chngSize;     // the window's layout switch: 1 before, 0 after
};

struct FetchAndOpenOutcome {
    FetchAndOpenResult result = FetchAndOpenResult::Downloaded;
    std::string detail;  // why the download failed, in plain words
};

// One per window item: its guard keeps a second press from running inside the first while
// the window handles its events during the download.
class FetchAndOpen {
public:
    // Runs on the UI thread after the end steps.
    using Ended = std::function<void(const FetchAndOpenOutcome& outcome)>;

    // `post` hands the download's end back to the UI thread.
    explicit FetchAndOpen(PostToUi post, FileOpener opener = platform::OpenProgram);

    // On the UI thread: layout 1. On the download's thread: delete the old copy, download with
    // the bar. Back on the UI thread: open what is there (nothing when no file is there, or
    // when stopped), layout 0, then `ended`.
    FetchStart Start(FetchAndOpenRequest request, Ended ended = {});
    bool Busy() const { return busy_; }
    // Closing: a running download stops, its end steps still run, and nothing starts any more.
    void Stop() { job_.Stop(); }

private:
    void Finish(const FetchAndOpenRequest& request, const FetchAndOpenOutcome& outcome, const Ended& ended);

    FileOpener opener_;
    BackgroundJob job_;
    bool busy_ = false;  // from the press until the end steps are over; UI thread only
};

}  // namespace packwell
