#pragma once
// "Forge Install": the Forge installer fetched afresh into the game folder and opened.
#include <filesystem>
#include <functional>
#include <string>

#include "core/extras/FetchAndOpen.h"

namespace packwell {

// A constant, not built from the game version: the server publishes exactly this file.
inline constexpr const char* kForgeInstallerName = "forge-1.12.2-14.23.2.2629-installer-win.exe";

struct ForgeRequest {
    std::string baseUrl;  // no trailing "/"
    std::filesystem::path gameDir;
    FutureDownloads::ProgressBar* bar = nullptr;  // sProgressBar1
    std::function<void(int layout)> chngSize;
};

class ForgeInstall {
public:
    explicit ForgeInstall(PostToUi post, FileOpener opener = platform::OpenProgram)
        : fetch_(std::move(post), std::move(opener)) {}

    // The window stays usable during the download, so a press meanwhile does nothing.
    FetchStart Start(const ForgeRequest& request, FetchAndOpen::Ended ended = {});
    bool Busy() const { return fetch_.Busy(); }
    void Stop() { fetch_.Stop(); }

    static std::filesystem::path InstallerPath(const std::filesystem::path& gameDir) {
        return gameDir / kForgeInstallerName;
    }

private:
    FetchAndOpen fetch_;
};

}  // namespace packwell
