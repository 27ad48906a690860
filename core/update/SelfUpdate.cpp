#include "core/update/SelfUpdate.h"

#include <exception>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/Utf8Path.h"
#include "core/manifest/ManifestFetch.h"
#include "core/settings/IniFile.h"
#include "core/settings/SharedValues.h"
#include "core/update/NewProgram.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "platform/Processes.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

// Fetches the manifest afresh; one that does not arrive reads as the defaults.
std::string AnnouncedVersion(const UpdateEnvironment& env) {
    const fs::path manifest = env.appDataDir / "Update.ini";
    std::error_code ec;
    fs::remove(manifest, ec);
    FetchManifest(env.baseUrl, manifest);
    return IniFile(manifest).ReadString("Update", "lastversion", env.currentVersion);
}

// Downloads, checks and places the new program beside the running one under `tempName`.
bool PlaceNewProgram(const UpdateEnvironment& env, const std::string& url, std::int64_t announcedLength,
                     const std::string& tempName) {
    const fs::path downloaded = env.appDataDir / PathFromUtf8(tempName);
    const fs::path placed = env.programPath.parent_path() / PathFromUtf8(tempName);
    std::error_code ec;
    if (!FutureDownloads::Download(url, downloaded) ||
        CheckNewProgram(downloaded, announcedLength) != NewProgramVerdict::Ok) {
        fs::remove(downloaded, ec);
        return false;
    }
    // A move that fails would leave the exchange deleting the old program with nothing to
    // put in its place.
    if (!AllInOne::MoveFileReplacing(downloaded, placed, /*FailIfExists=*/false)) {
        fs::remove(downloaded, ec);
        return false;
    }
    fs::permissions(placed, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, ec);
    return true;
}

}  // namespace

UpdateEnvironment UpdateEnvironment::ForThisProgram() {
    return {.currentVersion = CurrentVersion(),
            .baseUrl = BaseUrl(),
            .appDataDir = AppDataDir(),
            .programPath = platform::OwnExecutablePath(),
            .isConnected = [] { return FutureDownloads::IsInternetConnected(); },
            .exchange = [](const std::string& newName, const std::string& tempName) {
                AllInOne::ReplaceSelfViaBatch(newName, tempName);
            },
            .exchangeBlock = [](const std::string& newName) {
                return ExchangeBlockFor(platform::OwnExecutablePath(), newName);
            }};
}

bool EndsProcess(UpdateOutcome outcome) {
    return outcome != UpdateOutcome::NoConnection && outcome != UpdateOutcome::UpToDate &&
           outcome != UpdateOutcome::Blocked;
}

bool StartupUpdateEndsProgram(const std::filesystem::path& appDataDir, UpdateDialogs& dialogs) {
    UpdateEnvironment env = UpdateEnvironment::ForThisProgram();
    env.appDataDir = appDataDir;
    return EndsProcess(CheckForUpdate(env, dialogs));
}

UpdateOutcome CheckForUpdate(const UpdateEnvironment& env, UpdateDialogs& dialogs) {
    if (!env.isConnected()) {
        dialogs.Show(UpdateNoConnection());
        return UpdateOutcome::NoConnection;
    }

    const std::string announced = AnnouncedVersion(env);
    if (announced == env.currentVersion) return UpdateOutcome::UpToDate;

    const auto fail = [&] {
        dialogs.Show(UpdateDownloadFailed());
        return UpdateOutcome::Failed;
    };
    if (!IsSafeVersionText(announced)) return fail();

    const BlockedUpdateNote note(env.appDataDir);
    const ExchangeBlock block = env.exchangeBlock ? env.exchangeBlock(NewProgramFileName(announced)) : ExchangeBlock::None;
    if (block != ExchangeBlock::None) {
        if (!note.Told(announced, block, env.programPath)) {
            dialogs.Show(block == ExchangeBlock::FolderNotWritable
                             ? UpdateFolderNotWritable(announced, Utf8FromPath(env.programPath.parent_path()))
                             : UpdateNameNotWritable(announced, Utf8FromPath(env.programPath.filename())));
            note.Remember(announced, block, env.programPath);
        }
        return UpdateOutcome::Blocked;
    }
    note.Forget();

    const std::string url = env.baseUrl + NewProgramServerPath();
    const std::int64_t announcedLength = FutureDownloads::RemoteFileSize(url);
    if (!dialogs.Show(UpdateQuestion(announced, announcedLength))) return UpdateOutcome::Declined;

    const std::string tempName = NewProgramTempName();
    if (!PlaceNewProgram(env, url, announcedLength, tempName)) return fail();

    try {
        env.exchange(NewProgramFileName(announced), tempName);
    } catch (const std::exception&) {
        // The script could not be written: the old program stays, and so must nothing else.
        std::error_code ec;
        fs::remove(env.programPath.parent_path() / PathFromUtf8(tempName), ec);
        return fail();
    }
    return UpdateOutcome::HandedOver;
}

}  // namespace packwell
