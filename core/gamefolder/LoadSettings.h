#pragma once
// The start-up choice of the game folder and the two check boxes.
#include <string>

#include "core/settings/IniFile.h"
#include "core/gamefolder/LauncherGameDir.h"

namespace packwell {

struct StartupSettings {
    std::string GameDir;  // for sEdit1 and the folder dialog's starting folder
    bool Turbo = true;         // "Турбо"
    bool ExtraOptions = true;  // "Setups"
};

// A saved non-empty "GameFolder" wins; without one the launcher's folder when its file
// names one; otherwise RoamingDir()/.minecraft (a present but empty "GameFolder" stays
// empty). Updates `launcher`. Throws what FindLauncherGameDir throws.
StartupSettings LoadSettings(const IniFile& settingsIni, LauncherInfo& launcher,
                             const LauncherFiles& files = DefaultLauncherFiles());

}  // namespace packwell
