#include "tools/packwell-sync/CheckMode.h"

#include <algorithm>
#include <exception>

#include "core/check/CompatibilityCheck.h"
#include "core/cleanup/Cleanup.h"
#include "core/settings/IniFile.h"
#include "core/settings/SharedValues.h"
#include "core/Utf8Path.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "tools/packwell-sync/GameDirChoice.h"
#include "tools/packwell-sync/ServerAddress.h"
#include "tools/packwell-sync/StopSignal.h"

namespace packwell::cli {

std::optional<CheckedFolder> CheckFolder(const Options& options, StatusLog& log, std::ostream& err) {
    const GameDirChoice choice = ChooseGameDir(options.gameDir);
    if (choice.check.State != FolderState::Valid) {
        err << choice.check.Label << "\n";
        err << "Папка игры: " << Utf8FromPath(choice.gameDir) << "\n";
        return std::nullopt;
    }

    EnsureAppDataDir();
    CheckRequest request;
    request.baseUrl = options.server.value_or(BaseUrl());
    request.manifestPath = ManifestIniPath();
    request.modsDir = choice.check.ModsDir;
    request.versionModsDir = choice.check.VersionModsDir;
    // A server on this machine is reached without any network.
    request.isConnected = [server = request.baseUrl] {
        return IsLoopbackServer(server) || FutureDownloads::IsInternetConnected();
    };

    request.cancel = &StopRequested();

    CheckedFolder checked{choice.check, request.baseUrl, {}};
    const CheckOutcome outcome = RunCompatibilityCheck(log, request, checked.lists);
    switch (outcome.result) {
        case CheckResult::NoConnection:
            err << "Нет подключения к сети.\n";
            return std::nullopt;
        case CheckResult::ManifestNotFetched:
            err << "Не удалось загрузить конфиг " << request.baseUrl << "/Update";
            if (!outcome.detail.empty()) err << ": " << outcome.detail;
            err << "\n";
            return std::nullopt;
        case CheckResult::Checked:
            break;
    }
    return checked;
}

bool OutOfStep(const SyncLists& lists) {
    if (!lists.MissingList.empty() || lists.Held()) return true;
    // Files the player keeps on the white-list are no work: the cleanup would leave them.
    const auto items = FillCleanupList(lists.DeleteList, IniFile(SettingsIniPath()));
    return std::any_of(items.begin(), items.end(), [](const CleanupItem& item) { return item.ticked; });
}

ExitStatus RunCheckOnly(const Options& options, std::ostream& out, std::ostream& err) {
    try {
        StatusLog log;
        // Printed as the window's log would show them, each line as soon as it is written.
        log.SetListener([&out](const std::vector<std::string>& lines) {
            for (const auto& line : lines) out << line << "\n";
            out.flush();
        });
        const auto checked = CheckFolder(options, log, err);
        if (!checked) return ExitStatus::CouldNotCheck;
        return OutOfStep(checked->lists) ? ExitStatus::WorkToDo : ExitStatus::InStep;
    } catch (const std::exception& e) {
        err << "Проверка прервана: " << e.what() << "\n";
        return ExitStatus::CouldNotCheck;
    }
}

}  // namespace packwell::cli
