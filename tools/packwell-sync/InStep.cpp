#include "tools/packwell-sync/InStep.h"

#include <system_error>

#include "core/manifest/Manifest.h"
#include "core/manifest/ModFileName.h"
#include "core/settings/IniFile.h"
#include "core/Utf8Path.h"

namespace fs = std::filesystem;

namespace packwell::cli {

bool EveryListedModInPlace(const fs::path& manifestPath, const fs::path& versionModsDir) {
    const Manifest manifest = ReadManifest(IniFile(manifestPath).Load());
    for (const auto& entry : manifest.modList.entries) {
        if (!IsBareFileName(entry.name)) continue;
        std::error_code ec;
        // The empty name gives the folder itself, which is no file: missing, as the check says.
        if (!fs::is_regular_file(versionModsDir / PathFromUtf8(entry.name), ec)) return false;
    }
    return true;
}

}  // namespace packwell::cli
