#pragma once
// The process environment and the user's home folder, read the way this system stores them
// (wide on Windows), as UTF-8 text and paths.
#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// The variable's value, UTF-8; nullopt when it is unset or empty (an empty folder variable
// would put data at the file system root).
std::optional<std::string> NonEmptyEnvironmentValue(const std::string& name);

// The user's home folder: HOME, else the user database (POSIX); USERPROFILE (Windows); the
// current folder when neither is known.
std::filesystem::path HomeFolder();

}  // namespace platform
