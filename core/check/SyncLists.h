#pragma once
// What a compatibility check hands to the synchronisation run and the cleanup dialog.
#include <cstdint>
#include <string>
#include <vector>

namespace packwell {

struct SyncLists {
    std::vector<std::string> MissingList;  // manifest names absent from VersionModsDir, manifest order
    std::vector<std::string> DeleteList;   // "dellist" names present in VersionModsDir, manifest order
    std::int64_t ServerTotal = 0;          // sum of all listed sizes
    std::int64_t MissingTotal = 0;         // sum of the listed sizes of the missing entries

    // The run button is enabled exactly when there is something to do.
    bool HasWork() const { return !MissingList.empty() || !DeleteList.empty(); }
};

}  // namespace packwell
