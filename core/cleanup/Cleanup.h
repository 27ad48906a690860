#pragma once
// The cleanup dialog's work without the dialog: which deletable files start ticked, and what
// "Удалить" does with the player's choice.
#include <filesystem>
#include <string>
#include <vector>

#include "core/settings/IniFile.h"
#include "core/log/StatusLog.h"

namespace packwell {

struct CleanupItem {
    std::string name;
    bool ticked = false;
};

struct CleanupResult {
    int deleted = 0;
    int failed = 0;
    int listed = 0;  // kept: the file is a mod the server lists
};

// One item per DeleteList name in order; ticked unless the white-list keeps it.
std::vector<CleanupItem> FillCleanupList(const std::vector<std::string>& deleteList, const IniFile& settingsIni);

// Stores the choice in the white-list first (so it holds even when deletions fail), then
// deletes the ticked files from versionModsDir and logs each outcome and the count. A ticked
// file that is one of listedMods under another name (letter case, a short name, a link) is kept
// and said so. Throws IniWriteError when the white-list cannot be written; nothing is deleted then.
CleanupResult DeleteTickedFiles(const std::vector<CleanupItem>& items, const std::filesystem::path& versionModsDir,
                                const std::vector<std::string>& listedMods, const IniFile& settingsIni,
                                StatusLog& log);

}  // namespace packwell
