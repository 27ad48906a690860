#include "core/manifest/Manifest.h"

#include <algorithm>

namespace packwell {
namespace {

std::int32_t EntryCount(std::int32_t stated) {
    return std::clamp<std::int32_t>(stated, 0, kMaxManifestEntries);
}

std::int64_t ModSize(const IniData& ini, const std::string& key) {
    const std::int64_t size = ini.ReadInt64("modlist", key, 0);
    return size > kMaxModSize || size < -kMaxModSize ? 0 : size;
}

}  // namespace

std::int64_t Manifest::ServerTotal() const {
    std::int64_t total = 0;
    for (const auto& e : modList.entries) total += e.size;
    return total;
}

Manifest ReadManifest(const IniData& ini) {
    Manifest m;
    m.modList.statedCount = ini.ReadInteger("modlist", "Count", 0);
    const std::int32_t mods = EntryCount(m.modList.statedCount);
    m.modList.entries.reserve(static_cast<std::size_t>(mods));
    for (std::int32_t i = 1; i <= mods; ++i) {
        const std::string key = "mod" + std::to_string(i);
        m.modList.entries.push_back({ini.ReadString("modlist", key, ""), ModSize(ini, key + "size"),
                                     platform::ParseSha256Hex(ini.ReadString("modlist", key + "sha256", ""))});
    }

    m.delList.statedCount = ini.ReadInteger("dellist", "Count", 0);
    const std::int32_t dels = EntryCount(m.delList.statedCount);
    m.delList.entries.reserve(static_cast<std::size_t>(dels));
    for (std::int32_t i = 1; i <= dels; ++i)
        m.delList.entries.push_back(ini.ReadString("dellist", "mod" + std::to_string(i), ""));
    return m;
}

std::string ReadLastVersion(const IniData& ini, const std::string& ownVersion) {
    return ini.ReadString("Update", "lastversion", ownVersion);
}

bool UpdateOffered(const IniData& ini, const std::string& ownVersion) {
    return ReadLastVersion(ini, ownVersion) != ownVersion;
}

}  // namespace packwell
