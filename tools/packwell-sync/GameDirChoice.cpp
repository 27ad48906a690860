#include "tools/packwell-sync/GameDirChoice.h"

#include "core/settings/IniFile.h"
#include "core/gamefolder/LoadSettings.h"
#include "core/settings/SharedValues.h"
#include "core/Utf8Path.h"

namespace packwell::cli {

GameDirChoice ChooseGameDir(const std::optional<std::filesystem::path>& given) {
    LauncherInfo launcher;
    std::string gameDir;
    if (given) {
        gameDir = Utf8FromPath(*given);
    } else {
        gameDir = LoadSettings(IniFile(SettingsIniPath()), launcher).GameDir;
    }
    return {PathFromUtf8(gameDir), ValidateGameFolder(gameDir, launcher)};
}

}  // namespace packwell::cli
