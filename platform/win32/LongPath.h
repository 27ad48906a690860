#pragma once
// Windows refuses a path of MAX_PATH characters or more unless it is in the extended-length form
// ("\\?\C:\...", "\\?\UNC\server\share\..."); a game folder deep in a user's profile reaches that.
#include <filesystem>
#include <string>

namespace platform {

// The path as a file call takes it: a long one made absolute and extended, a short one as it is.
std::wstring LongPath(const std::filesystem::path& path);

}  // namespace platform
