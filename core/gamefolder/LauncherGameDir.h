#pragma once
// The game folder named in the TLauncher settings file (key "minecraft.gamedir").
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace packwell {

// What the window remembers of the launcher for the whole run.
struct LauncherInfo {
    bool Found = false;   // the settings file was seen once; never cleared
    std::string GameDir;  // UTF-8; empty until a value was read
};

struct LauncherFiles {
    std::filesystem::path Settings;  // the launcher's own file, never written
    std::filesystem::path Copy;      // read instead of it, deleted afterwards
};

// RoamingDir()/.tlauncher/legacy.properties, copied to AppDataDir()/legacy.properties.
LauncherFiles DefaultLauncherFiles();

// The value of the first "minecraft.gamedir" entry (leading blanks allowed, "=" or ":" as
// separator, comment lines skipped), fully unescaped; nothing when there is none.
std::optional<std::string> LauncherGameDirFromText(std::string_view text);

// True when the settings file exists: sets Found and, when the file names a folder, GameDir.
// A file without the key leaves an earlier GameDir as it was. The copy is always removed.
// Throws std::filesystem::filesystem_error when the file exists but cannot be copied or read.
bool FindLauncherGameDir(LauncherInfo& launcher, const LauncherFiles& files = DefaultLauncherFiles());

}  // namespace packwell
