#pragma once
// Fetching the server manifest (BaseUrl + "/Update") into its local file.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "net/FutureDownloads/FutureDownloads.h"

namespace packwell {

// Far above any real manifest (a thousand mods take some 100 KiB); a larger or endless one is
// a failed fetch, so a hostile server can fill neither the disk nor, when it is read, memory.
inline constexpr std::int64_t kMaxManifestBytes = 16 * 1024 * 1024;

// SaveTo must not exist (the caller deletes an old copy). `cancel`, when set, stops the fetch.
FutureDownloads::DownloadResult FetchManifest(const std::string& baseUrl, const std::filesystem::path& saveTo,
                                              const std::atomic<bool>* cancel = nullptr);

}  // namespace packwell
