#pragma once
// What files were last found to hold which SHA-256, kept between runs so that a file whose size
// and time have not changed is not read again. Only a shortcut: a cache file that is missing,
// damaged or someone else's reads as empty, and no entry is trusted that a write could have
// changed without changing the file's time.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "net/FutureDownloads/FutureDownloads.h"
#include "platform/Sha256.h"

namespace packwell {

// A file written this close before it was hashed may have been written again within its time's
// granularity (2 s on FAT, a clock tick elsewhere) without its time changing.
inline constexpr std::int64_t kRacyMicros = 3'000'000;

class HashCache {
public:
    // Never fails: what cannot be read or parsed is left out.
    static HashCache Load(const std::filesystem::path& file);
    // Microseconds since 1970, the unit of FileStamp::modified.
    static std::int64_t Now();

    // The digest recorded for `key` when its file still has `stamp` and was hashed well after its
    // last write; kept for Save.
    std::optional<platform::Sha256Digest> Known(const std::string& key, const FutureDownloads::FileStamp& stamp);
    // `readAt`: when the read that gave `sha256` began (Now()). Kept for Save.
    void Record(const std::string& key, const FutureDownloads::FileStamp& stamp, const platform::Sha256Digest& sha256,
                std::int64_t readAt);

    // Writes the entries found or recorded since Load, atomically, unless they are what was
    // loaded. False when the file could not be written.
    bool Save(const std::filesystem::path& file) const;

private:
    struct Entry {
        FutureDownloads::FileStamp stamp;
        platform::Sha256Digest sha256{};
        std::int64_t readAt = 0;
        bool operator==(const Entry&) const = default;
    };
    std::map<std::string, Entry> loaded_;
    std::map<std::string, Entry> kept_;
};

}  // namespace packwell
