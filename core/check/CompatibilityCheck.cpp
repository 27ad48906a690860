#include "core/check/CompatibilityCheck.h"

#include <optional>
#include <set>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/check/CheckTexts.h"
#include "core/check/HashCache.h"
#include "core/manifest/ListedFiles.h"
#include "core/manifest/Manifest.h"
#include "core/manifest/ManifestFetch.h"
#include "core/manifest/ModFileName.h"
#include "core/Utf8Path.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "platform/FileIdentity.h"
#include "platform/PartFile.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

bool IsFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

enum class Found { Missing, Present, EarlierModsFile, Held };

// Walks the manifest's names against the two mods folders; one per check.
class FolderScan {
public:
    FolderScan(StatusLog& log, const CheckRequest& request)
        : log_(log), request_(request), cacheFile_(request.manifestPath.parent_path() / kVerifiedCacheFile) {}

    // Unsafe names are reported the first time they are met and never become a path.
    bool Admit(const std::string& name) {
        if (IsBareFileName(name)) return true;
        if (reported_.insert(name).second) log_.Console(false, check_texts::UnsafeNameLine(name));
        return false;
    }

    // A stray copy in ModsDir joins VersionModsDir unless a file is there already.
    void GatherStray(const std::string& name) const {
        const fs::path stray = request_.modsDir / PathFromUtf8(name);
        if (IsFile(stray)) AllInOne::MoveFileReplacing(stray, Local(name), /*FailIfExists=*/true);
    }

    // What the entry's file in VersionModsDir is. A damaged one is missing: a saved error page
    // of the server, or, when the manifest gives its digest, other content; it is deleted and
    // said so. One open of the file answers all of it, so a check of many files costs few calls
    // to the system; the open also tells which file it reached, and a file an earlier listed name
    // reached is that mod's: counted once, and never judged by this entry's digest.
    Found Examine(const ManifestEntry& entry) {
        const fs::path local = Local(entry.name);
        std::optional<platform::FileIdentity> file;
        bool earlier = false;
        const auto kind = entry.sha256 ? Verify(local, *entry.sha256, file, earlier)
                                       : FutureDownloads::InspectSavedFile(local, &file);
        if (earlier || (kind != FutureDownloads::SavedFile::None && file && listedFiles_.contains(*file))) {
            log_.Console(false, check_texts::SameFileLine(entry.name));
            return Found::EarlierModsFile;
        }
        switch (kind) {
            case FutureDownloads::SavedFile::None: return Found::Missing;
            case FutureDownloads::SavedFile::Content:
                if (file) listedFiles_.insert(*file);
                return Found::Present;
            case FutureDownloads::SavedFile::ErrorPage: break;
        }
        std::error_code ec;
        const bool removed = fs::remove(local, ec);
        log_.Console(false, check_texts::kDamaged + entry.name);
        if (removed || !IsFile(local)) return Found::Missing;
        // Still there: another program holds it (the game, on Windows), and no download may
        // take its place until it lets go.
        log_.Console(false, check_texts::HeldLine(entry.name));
        return Found::Held;
    }

    // Keeps what this check verified for the next one; failing costs that one time only.
    void SaveVerified() const {
        if (cache_) cache_->Save(cacheFile_);
    }

    bool Present(const std::string& name) const { return IsFile(Local(name)); }

    // The files the listed names reached, as their opens told.
    const std::set<platform::FileIdentity>& ListedFileIdentities() const { return listedFiles_; }

    // Whether name is the first listed name that Windows takes for it: a later one would be the
    // same file on the players' machines, and the two would displace each other at every run.
    bool FirstOfItsName(const std::string& name) {
        if (name.empty() || listedKeys_.insert(WindowsNameKey(name)).second) return true;  // "" names no file
        log_.Console(false, check_texts::SameFileLine(name));
        return false;
    }

private:
    // The file against the digest the manifest gives: other content counts as an error page.
    // The hash rides on the read the marker test makes, and an unchanged file the cache vouches
    // for is not read at all. A file that cannot be read stays, as it would without a digest.
    // `earlier` says the file is one an earlier listed name reached: then it is not read.
    FutureDownloads::SavedFile Verify(const fs::path& local, const platform::Sha256Digest& want,
                                      std::optional<platform::FileIdentity>& identity, bool& earlier) {
        if (!cache_) cache_ = HashCache::Load(cacheFile_);
        const std::string key = Utf8FromPath(local);
        const std::int64_t readAt = HashCache::Now();
        const auto file = FutureDownloads::HashSavedFile(
            local, [&](const FutureDownloads::FileStamp& stamp, const platform::FileIdentity& reached) {
                earlier = listedFiles_.contains(reached);
                return earlier || cache_->Known(key, stamp) == want;
            });
        identity = file.identity;
        if (file.kind != FutureDownloads::SavedFile::Content || !file.sha256 || earlier) return file.kind;
        if (*file.sha256 != want) return FutureDownloads::SavedFile::ErrorPage;
        cache_->Record(key, file.stamp, want, readAt);
        return FutureDownloads::SavedFile::Content;
    }

    // The empty name gives the folder itself, which is no file: reported missing.
    fs::path Local(const std::string& name) const { return request_.versionModsDir / PathFromUtf8(name); }

    StatusLog& log_;
    const CheckRequest& request_;
    std::set<std::string> reported_;
    std::set<std::string> listedKeys_;
    std::set<platform::FileIdentity> listedFiles_;
    const fs::path cacheFile_;
    std::optional<HashCache> cache_;  // loaded at the first digest: without any, nothing changes
};

// Replaces the manifest file with a fresh copy; the detail says why not.
FutureDownloads::DownloadResult RefreshManifest(StatusLog& log, const CheckRequest& request) {
    std::error_code ec;
    if (IsFile(request.manifestPath) && fs::remove(request.manifestPath, ec))
        log.Console(check_texts::kManifestCleared);
    return FetchManifest(request.baseUrl, request.manifestPath, request.cancel);
}

// A run killed in the middle leaves its part files; nothing else would ever remove them.
void RemoveLeftovers(const CheckRequest& request) {
    for (const fs::path& folder : {request.manifestPath.parent_path(), request.modsDir, request.versionModsDir})
        platform::RemoveLeftoverPartFiles(folder);
}

// Kept part files wait for the next run of their mod: once the manifest no longer lists it
// they wait for nothing.
void RemoveUnwantedKeptParts(const CheckRequest& request, const Manifest& manifest) {
    std::vector<std::string> wanted;
    for (const auto& entry : manifest.modList.entries) wanted.push_back(entry.name);
    platform::RemoveUnwantedKeptPartFiles(request.versionModsDir, wanted);
}

}  // namespace

bool Conecteon(StatusLog& log, const std::function<bool()>& isConnected) {
    const bool online = isConnected ? isConnected() : FutureDownloads::IsInternetConnected();
    if (online) return true;
    log.Console(check_texts::kNoConnection);
    log.Console(check_texts::kCancelled);
    return false;
}

CheckOutcome RunCompatibilityCheck(StatusLog& log, const CheckRequest& request, SyncLists& lists) {
    if (!Conecteon(log, request.isConnected)) return {CheckResult::NoConnection, "нет подключения к сети"};

    log.Console(1, false, check_texts::kHeader);
    RemoveLeftovers(request);
    const auto fetched = RefreshManifest(log, request);
    if (!fetched) {
        log.Console(check_texts::kManifestFailed);
        return {CheckResult::ManifestNotFetched, FutureDownloads::FailureText(fetched)};
    }
    log.Console(check_texts::kManifestLoaded);

    // Read once: the file does not change during the check.
    const Manifest manifest = ReadManifest(IniFile(request.manifestPath).Load());

    std::error_code ec;
    fs::create_directories(request.versionModsDir, ec);  // failing leaves every file missing
    RemoveUnwantedKeptParts(request, manifest);

    SyncLists found;
    found.ServerTotal = manifest.ServerTotal();
    if (manifest.modList.Truncated())
        log.Console(false, check_texts::TooManyEntriesLine("modlist", manifest.modList.statedCount));
    log.Console(false, check_texts::ServerCountLine(manifest.modList.statedCount, found.ServerTotal));

    FolderScan scan(log, request);
    for (const auto& entry : manifest.modList.entries) {
        if (!scan.Admit(entry.name)) continue;
        if (!scan.FirstOfItsName(entry.name)) continue;
        scan.GatherStray(entry.name);
        const Found file = scan.Examine(entry);
        if (file == Found::EarlierModsFile) continue;
        found.ListedMods.push_back(entry.name);
        if (file == Found::Held) found.HeldList.push_back(entry.name);
        if (file == Found::Missing) {
            found.MissingList.push_back(entry.name);
            found.MissingTotal += entry.size;
            if (entry.sha256) found.Digests.emplace(entry.name, *entry.sha256);
            log.Console(false, check_texts::kMissing + entry.name);
        }
    }
    scan.SaveVerified();

    if (manifest.delList.Truncated())
        log.Console(false, check_texts::TooManyEntriesLine("dellist", manifest.delList.statedCount));
    const ListedFiles listed(request.versionModsDir, found.ListedMods, scan.ListedFileIdentities());
    for (const auto& name : manifest.delList.entries) {
        if (!scan.Admit(name)) continue;
        scan.GatherStray(name);
        if (!scan.Present(name)) continue;
        if (listed.Holds(name)) log.Console(false, check_texts::ListedModKeptLine(name));
        else found.DeleteList.push_back(name);
    }

    log.Console(false, check_texts::Summary(found.MissingList.size(), found.MissingTotal, found.DeleteList.size()));
    lists = std::move(found);
    return {CheckResult::Checked, {}};
}

}  // namespace packwell
