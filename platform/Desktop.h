#pragma once
// Handing a file or folder to the desktop: the user's text editor, the file browser.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Opens the file in the desktop's application for it (a text file: the text editor) and
// returns at once. Throws std::system_error when the opener cannot be started.
void OpenInTextEditor(const std::filesystem::path& file);

// The command line that opens a text file the program wrote in the current folder, where the
// system has one editor to name (Windows: Notepad, found on the search path, given the file's
// name as the current folder knows it); none where the desktop chooses (OpenInTextEditor).
std::optional<std::string> TextEditorCommandLine(const std::filesystem::path& file);

// A text file's bytes as the player's own editor reads them without being told: the ANSI code
// page on Windows (Windows-1251 on a Russian system; its default character for what it cannot
// hold, no byte-order mark), UTF-8 elsewhere.
std::string TextForTheEditor(std::string_view utf8);

// Shows the folder in the desktop's file browser and returns at once. Throws as above.
void OpenFolder(const std::filesystem::path& folder);

// Opens a fetched program (an installer, a settings tool) the way the desktop opens a file the
// user double-clicks, with `workingDir` as its current folder, and returns at once. On Windows
// the shell's answer is not looked at; elsewhere throws as above.
void OpenProgram(const std::filesystem::path& file, const std::filesystem::path& workingDir);

}  // namespace platform
