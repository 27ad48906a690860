#pragma once
// Handing a file or folder to the desktop: the user's text editor, the file browser.
#include <filesystem>

namespace platform {

// Opens the file in the desktop's application for it (a text file: the text editor) and
// returns at once. Throws std::system_error when the opener cannot be started.
void OpenInTextEditor(const std::filesystem::path& file);

// Shows the folder in the desktop's file browser and returns at once. Throws as above.
void OpenFolder(const std::filesystem::path& folder);

}  // namespace platform
