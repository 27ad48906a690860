#include "core/extras/ForgeInstall.h"

#include "net/FutureDownloads/FutureDownloads.h"

namespace packwell {

FetchAndOpenOutcome ForgeInstall::Start(const ForgeRequest& request) {
    return fetch_.Run({.url = FutureDownloads::ServerUrl(request.baseUrl, "/", kForgeInstallerName),
                       .file = InstallerPath(request.gameDir),
                       .workingDir = request.gameDir,
                       .bar = request.bar,
                       .chngSize = request.chngSize});
}

}  // namespace packwell
