#include "core/settings/SharedValues.h"

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/Utf8Path.h"
#include "platform/Environment.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

bool AppDataSet() { return platform::NonEmptyEnvironmentValue("APPDATA").has_value(); }

}  // namespace

fs::path RoamingDir() {
    // UTF-8 to a path through the one conversion: fs::path(std::string) would take the bytes
    // in the ANSI code page on Windows.
    if (AppDataSet()) return PathFromUtf8(AllInOne::ExpandEnvText("%appdata%"));
    return platform::HomeFolder();
}

fs::path AppDataDir() {
    if (AppDataSet()) return RoamingDir() / "Quorvane" / "Packwell";
    // The XDG rule wants an absolute path; anything else falls back to the default.
    const std::optional<std::string> xdg = platform::NonEmptyEnvironmentValue("XDG_DATA_HOME");
    const fs::path dataHome =
        xdg && PathFromUtf8(*xdg).is_absolute() ? PathFromUtf8(*xdg) : platform::HomeFolder() / ".local" / "share";
    return dataHome / "Quorvane" / "Packwell";
}

void EnsureAppDataDir() {
    std::error_code ignored;
    fs::create_directories(AppDataDir(), ignored);
}

fs::path SettingsIniPath() { return AppDataDir() / "Settings.ini"; }

fs::path ManifestIniPath() { return AppDataDir() / "Update.ini"; }

}  // namespace packwell
