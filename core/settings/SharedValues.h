#pragma once
// Values the whole program shares, computed the same way at start-up and by the window.
#include <filesystem>
#include <string>

namespace packwell {

inline constexpr const char* kGameVersion = "1.12.2";
inline constexpr const char* kModsUrlPath = "/mods3/";

std::string CurrentVersion();  // built in
std::string BaseUrl();         // built in, no trailing "/"

// %appdata%/Quorvane/Packwell; with APPDATA unset: $XDG_DATA_HOME (default ~/.local/share)
// + /Quorvane/Packwell.
std::filesystem::path AppDataDir();
// Creates AppDataDir with its parents; the result is not checked.
void EnsureAppDataDir();
// %appdata% itself; with APPDATA unset, the home folder (for ~/.minecraft and ~/.tlauncher).
std::filesystem::path RoamingDir();

std::filesystem::path SettingsIniPath();  // AppDataDir/Settings.ini
std::filesystem::path ManifestIniPath();  // AppDataDir/Update.ini

}  // namespace packwell
