#pragma once
// Whether the game folder is in step with the server after a run: decided from what lies on
// disk, since a run or a cleanup may have removed a listed mod (a name in both lists).
#include <filesystem>

namespace packwell::cli {

// True when every name of the manifest's mod list is a file in versionModsDir. Names the
// check refuses to turn into a path are left out, as the check leaves them out.
bool EveryListedModInPlace(const std::filesystem::path& manifestPath, const std::filesystem::path& versionModsDir);

}  // namespace packwell::cli
