#include "core/cleanup/Cleanup.h"

#include <system_error>

#include "core/check/CheckTexts.h"
#include "core/manifest/ListedFiles.h"
#include "core/manifest/ModFileName.h"
#include "core/Utf8Path.h"
#include "core/cleanup/WhiteList.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kKey = "WhiteList";

WhiteList ReadWhiteList(const IniFile& settingsIni) {
    return WhiteList(settingsIni.ReadString(kSection, kKey, ""));
}

// Only a bare name inside the folder is ever removed, and only a file.
bool DeleteModFile(const fs::path& versionModsDir, const std::string& name) {
    if (name.empty() || !IsBareFileName(name)) return false;
    const fs::path file = versionModsDir / PathFromUtf8(name);
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(file, ec))) return false;
    return fs::remove(file, ec);
}

}  // namespace

std::vector<CleanupItem> FillCleanupList(const std::vector<std::string>& deleteList, const IniFile& settingsIni) {
    std::vector<CleanupItem> items;
    items.reserve(deleteList.size());
    const WhiteList kept = ReadWhiteList(settingsIni);  // nothing else writes it while the list fills
    for (const auto& name : deleteList) items.push_back({name, !kept.Contains(name)});
    return items;
}

CleanupResult DeleteTickedFiles(const std::vector<CleanupItem>& items, const fs::path& versionModsDir,
                                const std::vector<std::string>& listedMods, const IniFile& settingsIni,
                                StatusLog& log) {
    // Keeps first: a kept name then leaves an old run-together value whole before a released
    // one is cut out of it ("xa.jar" kept, "a.jar" released). A name both kept and released
    // (listed twice) is released, as its file is deleted.
    WhiteList kept = ReadWhiteList(settingsIni);
    for (const auto& item : items)
        if (!item.ticked) kept.Keep(item.name);
    for (const auto& item : items)
        if (item.ticked) kept.Release(item.name);
    settingsIni.WriteString(kSection, kKey, kept.Value());

    log.Console(1, false, "======Удаление лишних модов=====");
    CleanupResult result;
    // Taken now, not at the check: the folder may have changed since.
    const ListedFiles listed(versionModsDir, listedMods);
    for (const auto& item : items) {
        if (!item.ticked) continue;
        if (listed.Holds(item.name)) {
            log.Console(false, check_texts::ListedModKeptLine(item.name));
            ++result.listed;
        } else if (DeleteModFile(versionModsDir, item.name)) {
            log.Console(false, "Удален мод: " + item.name);
            ++result.deleted;
        } else {
            log.Console(false, "Ошибка удаления мода: " + item.name);
            ++result.failed;
        }
    }
    if (result.deleted > 0) log.Console(false, "=======Завершение удаления======");
    log.Console(false, "Кол-во удаленных файлов: " + std::to_string(result.deleted));
    return result;
}

}  // namespace packwell
