#pragma once
// What a compatibility check hands to the synchronisation run and the cleanup dialog.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Sha256.h"

namespace packwell {

// The digest the manifest gives for a name; the first entry of a name listed twice.
using ModDigests = std::map<std::string, platform::Sha256Digest>;

inline std::optional<platform::Sha256Digest> DigestOf(const ModDigests* digests, const std::string& name) {
    if (!digests) return std::nullopt;
    const auto it = digests->find(name);
    return it == digests->end() ? std::nullopt : std::optional(it->second);
}

struct SyncLists {
    std::vector<std::string> MissingList;  // manifest names absent from VersionModsDir, manifest order
    std::vector<std::string> DeleteList;   // "dellist" names present in VersionModsDir, manifest order
    std::vector<std::string> ListedMods;   // the "modlist" names the check took, each file once
    std::vector<std::string> HeldList;     // damaged listed mods that could not be deleted (in use)
    std::int64_t ServerTotal = 0;          // sum of all listed sizes
    std::int64_t MissingTotal = 0;         // sum of the listed sizes of the missing entries
    ModDigests Digests;                    // of the missing names the manifest gives a digest for

    // The run button is enabled exactly when there is something to do.
    bool HasWork() const { return !MissingList.empty() || !DeleteList.empty(); }
    // A held damaged file needs the game closed and another check: the folder is not in step.
    bool Held() const { return !HeldList.empty(); }
};

}  // namespace packwell
