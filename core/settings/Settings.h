#pragma once
// The user's choices kept in Settings.ini, section "Settings".
#include <string>

#include "core/settings/IniFile.h"

namespace packwell::settings {

inline constexpr const char* kSection = "Settings";
inline constexpr const char* kGameFolder = "GameFolder";
inline constexpr const char* kTurbo = "Turbo";
inline constexpr const char* kExtraOptions = "ExtraOptions";
inline constexpr const char* kWhiteList = "WhiteList";

// The three choices SaveSettings stores; the defaults are those of a first run.
struct SettingsValues {
    std::string GameFolder;
    bool Turbo = true;
    bool ExtraOptions = true;
};

// Writes "GameFolder", "Turbo" and "ExtraOptions", always all three and in this order.
// Throws IniWriteError (the later keys are then not written).
void SaveSettings(const IniFile& ini, const SettingsValues& values);

// Whether name counts as kept by the "WhiteList" value: it occurs in it as a run of
// characters, letter case significant.
bool IsWhiteListed(const std::string& whiteListValue, const std::string& name);

}  // namespace packwell::settings
