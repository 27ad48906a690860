#pragma once
// --check-only: the compatibility check with the status log printed as it grows.
#include <optional>
#include <ostream>
#include <string>

#include "core/gamefolder/GameFolder.h"
#include "core/log/StatusLog.h"
#include "core/check/SyncLists.h"
#include "tools/packwell-sync/ExitStatus.h"
#include "tools/packwell-sync/Options.h"

namespace packwell::cli {

// What a check found, for the synchronisation that follows it.
struct CheckedFolder {
    FolderCheck folder;  // the window's validation: ModsDir and VersionModsDir
    std::string baseUrl;
    SyncLists lists;
};

// The check, writing to `log`; nothing when it could not run (the reason in plain words on `err`).
std::optional<CheckedFolder> CheckFolder(const Options& options, StatusLog& log, std::ostream& err);

// Whether a checked folder is out of step: a listed mod missing or held damaged, or a file to
// delete that the player does not keep on the white-list.
bool OutOfStep(const SyncLists& lists);

// Log lines go to `out`, errors in plain words to `err`.
ExitStatus RunCheckOnly(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace packwell::cli
