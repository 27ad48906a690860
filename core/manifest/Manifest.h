#pragma once
// The server manifest (Update.ini) read once into values.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/settings/IniFile.h"
#include "platform/Sha256.h"

namespace packwell {

// Far above any real pack; a larger "Count" is a hostile or mistyped manifest that would
// otherwise loop for hours.
inline constexpr std::int32_t kMaxManifestEntries = 100000;

// Far above any real mod file (64 TiB); a larger stated size is read as 0, like one that is
// not a number, so that the totals of kMaxManifestEntries sizes stay within 64 bits.
inline constexpr std::int64_t kMaxModSize = std::int64_t{1} << 46;

struct ManifestEntry {
    std::string name;        // exactly as the manifest gives it
    std::int64_t size = 0;   // "mod<i>size" (64-bit), 0 when absent, not a number or beyond kMaxModSize
    // "mod<i>sha256": the content the file must have. A value that is not 64 hex digits reads
    // as absent: a mistyped key must not cost players their files.
    std::optional<platform::Sha256Digest> sha256 = std::nullopt;
    bool operator==(const ManifestEntry&) const = default;
};

// One section's list. statedCount is the "Count" as written; entries hold at most
// kMaxManifestEntries of them.
template <typename Entry>
struct ManifestList {
    std::int32_t statedCount = 0;
    std::vector<Entry> entries;
    bool Truncated() const { return statedCount > kMaxManifestEntries; }
};

struct Manifest {
    ManifestList<ManifestEntry> modList;  // "modlist", in number order
    ManifestList<std::string> delList;    // "dellist", in number order

    std::int64_t ServerTotal() const;     // sum of every modlist size, 64-bit
};

Manifest ReadManifest(const IniData& ini);

// "lastversion" of "Update", the own version when absent.
std::string ReadLastVersion(const IniData& ini, const std::string& ownVersion);
// An update is offered whenever the announced version differs from the own one as text.
bool UpdateOffered(const IniData& ini, const std::string& ownVersion);

}  // namespace packwell
