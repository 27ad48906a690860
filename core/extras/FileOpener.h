#pragma once
// Handing a fetched program to the desktop to open.
#include <filesystem>
#include <functional>

namespace packwell {

// Asks the desktop to open `file` with `workingDir` as its current folder; returns at once.
using FileOpener = std::function<void(const std::filesystem::path& file, const std::filesystem::path& workingDir)>;

// The desktop's own opener (xdg-open, started detached in workingDir). Throws
// std::system_error when it cannot be started.
void OpenWithDesktop(const std::filesystem::path& file, const std::filesystem::path& workingDir);

}  // namespace packwell
