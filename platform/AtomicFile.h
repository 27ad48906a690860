#pragma once
// Replacing a file so that readers see either the old or the new content, never a part.
#include <filesystem>
#include <string_view>

namespace platform {

// Writes content to a temporary file beside path, flushes it to disk and renames it over
// path. An existing file's permissions are kept. On failure path is untouched, the
// temporary file is removed and std::system_error is thrown.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace platform
