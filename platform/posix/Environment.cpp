#include "platform/Environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

std::optional<std::string> NonEmptyEnvironmentValue(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

std::filesystem::path HomeFolder() {
    if (auto home = NonEmptyEnvironmentValue("HOME")) return *home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return std::filesystem::current_path();
}

}  // namespace platform
