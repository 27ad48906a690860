#include "core/settings/SharedValues.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "Addons/Custom/AllInOne/AllInOne.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

// An empty variable counts as unset: it would put the data folder at the file system root.
const char* NonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

fs::path HomeDir() {
    if (const char* home = NonEmptyEnv("HOME")) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return fs::current_path();
}

}  // namespace

fs::path RoamingDir() {
    if (NonEmptyEnv("APPDATA")) return fs::path(AllInOne::ExpandEnvText("%appdata%"));
    return HomeDir();
}

fs::path AppDataDir() {
    if (NonEmptyEnv("APPDATA")) return RoamingDir() / "Quorvane" / "Packwell";
    // The XDG rule wants an absolute path; anything else falls back to the default.
    const char* xdg = NonEmptyEnv("XDG_DATA_HOME");
    const fs::path dataHome = xdg && fs::path(xdg).is_absolute() ? fs::path(xdg) : HomeDir() / ".local" / "share";
    return dataHome / "Quorvane" / "Packwell";
}

void EnsureAppDataDir() {
    std::error_code ignored;
    fs::create_directories(AppDataDir(), ignored);
}

fs::path SettingsIniPath() { return AppDataDir() / "Settings.ini"; }

fs::path ManifestIniPath() { return AppDataDir() / "Update.ini"; }

}  // namespace packwell
