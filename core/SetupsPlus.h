#pragma once
// The extra settings program ("Setups+"): a fresh Settingss.exe fetched into the game folder
// and handed to the desktop to open.
#include <filesystem>
#include <functional>
#include <string>

#include "net/FutureDownloads/ProgressBar.h"

namespace packwell {

// Asks the desktop to open `file` with `workingDir` as its current folder; returns at once.
using FileOpener = std::function<void(const std::filesystem::path& file, const std::filesystem::path& workingDir)>;

// The desktop's own opener (xdg-open, started detached in workingDir).
void OpenWithDesktop(const std::filesystem::path& file, const std::filesystem::path& workingDir);

enum class SetupsStart {
    Downloaded,      // the fresh copy arrived and was handed to the opener
    DownloadFailed,  // no fresh copy; an old copy that could not be replaced is opened all the same
    AlreadyRunning,  // pressed again while its download runs: nothing done
};

struct SetupsRequest {
    std::string baseUrl;                   // no trailing "/"
    std::filesystem::path gameDir;
    FutureDownloads::ProgressBar* bar = nullptr;
    std::function<void(int layout)> chngSize;  // the window's layout switch; 1 before, 0 after
};

struct SetupsOutcome {
    SetupsStart result = SetupsStart::Downloaded;
    std::string detail;  // why the download failed, in plain words
};

class SetupsPlus {
public:
    explicit SetupsPlus(FileOpener opener = OpenWithDesktop);

    // StartSetupsPlus: layout 1, delete the old copy, download with the bar, open what is
    // there, layout 0 (also when the download raised). The window stays usable meanwhile, so
    // a second call during the download does nothing.
    SetupsOutcome Start(const SetupsRequest& request);
    bool Busy() const { return busy_; }

private:
    FileOpener opener_;
    bool busy_ = false;
};

inline constexpr const char* kSetupsFileName = "Settingss.exe";

}  // namespace packwell
