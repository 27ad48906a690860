#include "core/sync/SyncPaths.h"

#include "net/FutureDownloads/FutureDownloads.h"

namespace packwell {

SyncPaths SyncPaths::ForGame(const std::filesystem::path& gameDir, const std::string& baseUrl) {
    SyncPaths paths;
    paths.ModsDir = gameDir / "mods";
    paths.VersionModsDir = paths.ModsDir / kGameVersion;
    paths.BaseUrl = baseUrl;
    return paths;
}

std::string SyncPaths::SourceUrl(const std::string& name) const {
    return FutureDownloads::ServerUrl(BaseUrl, ModsUrlPath, name);
}

}  // namespace packwell
