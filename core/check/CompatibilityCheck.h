#pragma once
// The compatibility check: fetch a fresh manifest, gather stray copies into VersionModsDir,
// drop saved error pages, and build the lists the run and the cleanup work from. Everything
// found goes to the status log.
#include <atomic>
#include <filesystem>
#include <functional>
#include <string>

#include "core/log/StatusLog.h"
#include "core/check/SyncLists.h"

namespace packwell {

// Beside the manifest in AppDataDir: what earlier checks verified against the manifest's digests.
inline constexpr const char* kVerifiedCacheFile = "Verified.cache";

enum class CheckResult {
    Checked,             // lists rebuilt; enable "Запуск синхронизации" when lists.HasWork()
    NoConnection,        // the system reports no connection; nothing changed
    ManifestNotFetched,  // lists and button state stay as the previous check left them
};

struct CheckRequest {
    std::string baseUrl;                   // no trailing "/"
    std::filesystem::path manifestPath;    // AppDataDir/Update.ini
    std::filesystem::path modsDir;         // GameDir/mods
    std::filesystem::path versionModsDir;  // GameDir/mods/1.12.2
    // Whether the computer is online; the system's answer unless a caller knows better.
    std::function<bool()> isConnected;
    // Set from another thread (or a signal handler) to stop the manifest fetch.
    const std::atomic<bool>* cancel = nullptr;
};

struct CheckOutcome {
    CheckResult result = CheckResult::Checked;
    std::string detail;  // why the manifest was not fetched, in short Russian words
};

// The window's connection test: logs "Ошибка подключения к серверу." and "Операция отменена."
// when offline.
bool Conecteon(StatusLog& log, const std::function<bool()>& isConnected = {});

// Runs the whole check. `lists` is replaced only when the result is Checked. Part files that
// earlier runs left in AppDataDir and both mods folders are removed first.
// Errors reading a local file are raised; `lists` is then left unchanged.
CheckOutcome RunCompatibilityCheck(StatusLog& log, const CheckRequest& request, SyncLists& lists);

}  // namespace packwell
