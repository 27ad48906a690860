#pragma once
// Writes a server directory's manifest from the files it publishes.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/packwell-pack/PackError.h"

namespace packwell::pack {

struct RefreshRequest {
    std::filesystem::path dir;
    // A plain list of names to offer clients for deletion, one a line; blank lines and lines
    // starting with "#" are skipped.
    std::optional<std::filesystem::path> dellistFile;
};

struct RefreshResult {
    std::vector<std::string> changes;  // "added ...", "removed ...", "resized ...", "changed ...", "dellist: ..."
    std::vector<std::string> notes;    // files left out of the pack, and why
    bool written = false;              // false when the manifest already said all of it
    std::size_t mods = 0;
    std::int64_t totalBytes = 0;
    std::size_t deletions = 0;
};

// Reads DIR/mods3 and DIR/Update, writes DIR/Update atomically with every mod's SHA-256. Only
// files whose size or time changed since the last refresh are read (DIR/.packwell-hashes
// remembers them). Throws PackError.
RefreshResult RefreshPack(const RefreshRequest& request);

}  // namespace packwell::pack
