#include "core/sync/SyncPaths.h"

#include "core/Utf8Path.h"
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

// Names are UTF-8: the one conversion the check uses too, or a name beyond ASCII is saved
// under one name and looked for under another on Windows.
std::filesystem::path SyncPaths::Target(const std::string& name) const { return VersionModsDir / PathFromUtf8(name); }

std::filesystem::path SyncPaths::StrayCopy(const std::string& name) const { return ModsDir / PathFromUtf8(name); }

}  // namespace packwell
