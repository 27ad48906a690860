#include "core/check/CompatibilityCheck.h"

#include <set>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/check/CheckTexts.h"
#include "core/manifest/Manifest.h"
#include "core/manifest/ManifestFetch.h"
#include "core/manifest/ModFileName.h"
#include "core/Utf8Path.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "platform/PartFile.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

bool IsFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// Walks the manifest's names against the two mods folders; one per check.
class FolderScan {
public:
    FolderScan(StatusLog& log, const CheckRequest& request) : log_(log), request_(request) {}

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

    // Whether a mod file of that name is in VersionModsDir. A saved error page of the server
    // is none: it is deleted and said so. One open of the file answers both, so a check of
    // many files costs few calls to the system.
    bool PresentOnceErrorPageDropped(const std::string& name) const {
        const fs::path local = Local(name);
        switch (FutureDownloads::InspectSavedFile(local)) {
            case FutureDownloads::SavedFile::None: return false;
            case FutureDownloads::SavedFile::Content: return true;
            case FutureDownloads::SavedFile::ErrorPage: break;
        }
        std::error_code ec;
        const bool removed = fs::remove(local, ec);
        log_.Console(false, check_texts::kDamaged + name);
        return !removed && IsFile(local);  // a page that could not be deleted is still there
    }

    bool Present(const std::string& name) const { return IsFile(Local(name)); }

private:
    // The empty name gives the folder itself, which is no file: reported missing.
    fs::path Local(const std::string& name) const { return request_.versionModsDir / PathFromUtf8(name); }

    StatusLog& log_;
    const CheckRequest& request_;
    std::set<std::string> reported_;
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
        scan.GatherStray(entry.name);
        if (!scan.PresentOnceErrorPageDropped(entry.name)) {
            found.MissingList.push_back(entry.name);
            found.MissingTotal += entry.size;
            log.Console(false, check_texts::kMissing + entry.name);
        }
    }

    if (manifest.delList.Truncated())
        log.Console(false, check_texts::TooManyEntriesLine("dellist", manifest.delList.statedCount));
    for (const auto& name : manifest.delList.entries) {
        if (!scan.Admit(name)) continue;
        scan.GatherStray(name);
        if (scan.Present(name)) found.DeleteList.push_back(name);
    }

    log.Console(false, check_texts::Summary(found.MissingList.size(), found.MissingTotal, found.DeleteList.size()));
    lists = std::move(found);
    return {CheckResult::Checked, {}};
}

}  // namespace packwell
