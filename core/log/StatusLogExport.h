#pragma once
// The log's export handed to the desktop: written first, then opened for the player.
#include <filesystem>
#include <functional>

#include "core/log/StatusLog.h"

namespace packwell {

using FileOpener = std::function<void(const std::filesystem::path&)>;

// The desktop's text editor (platform::OpenInTextEditor).
FileOpener TextEditorOpener();

// Exports the log and opens the file with opener; returns the file's path. When the export
// fails its std::system_error is thrown and nothing is opened; when the opener fails its
// error is thrown and the file stays written.
std::filesystem::path ExportAndOpen(const StatusLog& log, const FileOpener& opener = TextEditorOpener());

}  // namespace packwell
