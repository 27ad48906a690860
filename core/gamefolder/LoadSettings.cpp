#include "core/gamefolder/LoadSettings.h"

#include "core/settings/Settings.h"
#include "core/settings/SharedValues.h"
#include "core/Utf8Path.h"

namespace packwell {

StartupSettings LoadSettings(const IniFile& settingsIni, LauncherInfo& launcher, const LauncherFiles& files) {
    StartupSettings result;
    bool found = FindLauncherGameDir(launcher, files);
    std::string saved = settingsIni.ReadString(settings::kSection, settings::kGameFolder, "");
    if (found && saved.empty() && !launcher.GameDir.empty()) {
        result.GameDir = launcher.GameDir;
    } else {
        std::string fallback = Utf8FromPath(RoamingDir() / ".minecraft");
        result.GameDir = settingsIni.ReadString(settings::kSection, settings::kGameFolder, fallback);
    }
    result.Turbo = settingsIni.ReadBool(settings::kSection, settings::kTurbo, true);
    result.ExtraOptions = settingsIni.ReadBool(settings::kSection, settings::kExtraOptions, true);
    return result;
}

}  // namespace packwell
