#pragma once
// Handing a fetched program to the desktop to open.
#include <filesystem>
#include <functional>

namespace packwell {

// Asks the desktop to open `file` with `workingDir` as its current folder; returns at once
// (platform::OpenProgram, or a test's stand-in).
using FileOpener = std::function<void(const std::filesystem::path& file, const std::filesystem::path& workingDir)>;

}  // namespace packwell
