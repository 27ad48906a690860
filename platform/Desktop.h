#pragma once
// Handing a file or folder to the desktop: the user's text editor, the file browser.
#include <filesystem>

namespace platform {

// Opens the file in the desktop's application for it (a text file: the text editor) and
// returns at once. Throws std::system_error when the opener cannot be started.
void OpenInTextEditor(const std::filesystem::path& file);

// Shows the folder in the desktop's file browser and returns at once. Throws as above.
void OpenFolder(const std::filesystem::path& folder);

// Opens a fetched program (an installer, a settings tool) the way the desktop opens a file the
// user double-clicks, with `workingDir` as its current folder, and returns at once. On Windows
// the shell's answer is not looked at; elsewhere throws as above.
void OpenProgram(const std::filesystem::path& file, const std::filesystem::path& workingDir);

}  // namespace platform
