#include "core/extras/ForgeInstall.h"

#include "net/FutureDownloads/FutureDownloads.h"

namespace packwell {

FetchStart ForgeInstall::Start(const ForgeRequest& request, FetchAndOpen::Ended ended) {
    return fetch_.Start({.url = FutureDownloads::ServerUrl(request.baseUrl, "/", kForgeInstallerName),
                         .file = InstallerPath(request.gameDir),
                         .workingDir = request.gameDir,
                         .bar = request.bar,
                         .chngSize = request.chngSize},
                        std::move(ended));
}

}  // namespace packwell
