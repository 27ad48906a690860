#pragma once
// Where a run takes each missing file from and where it puts it. Copied into the run at the
// press, so the workers keep a stable view while the window's folder check re-derives its own.
#include <filesystem>
#include <string>

#include "core/settings/SharedValues.h"

namespace packwell {

struct SyncPaths {
    std::filesystem::path ModsDir;         // GameDir/mods: a stray copy there is reused
    std::filesystem::path VersionModsDir;  // GameDir/mods/1.12.2: every file ends up here
    std::string BaseUrl;                   // no trailing "/"
    std::string ModsUrlPath = kModsUrlPath;

    static SyncPaths ForGame(const std::filesystem::path& gameDir, const std::string& baseUrl);

    std::string SourceUrl(const std::string& name) const;
    std::filesystem::path Target(const std::string& name) const;
    std::filesystem::path StrayCopy(const std::string& name) const;
};

}  // namespace packwell
