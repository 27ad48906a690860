#include "core/settings/Settings.h"

#include "core/cleanup/WhiteList.h"

namespace packwell::settings {

void SaveSettings(const IniFile& ini, const SettingsValues& values) {
    ini.WriteString(kSection, kGameFolder, values.GameFolder);
    ini.WriteBool(kSection, kTurbo, values.Turbo);
    ini.WriteBool(kSection, kExtraOptions, values.ExtraOptions);
}

// One rule for the whole program: WhiteList decides how names are stored and found.
bool IsWhiteListed(const std::string& whiteListValue, const std::string& name) {
    return WhiteList(whiteListValue).Contains(name);
}

}  // namespace packwell::settings
