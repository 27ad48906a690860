#pragma once
// Starting programs from wide command lines, shared by the platform layer and the Windows
// bodies of the add-on routines.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Arguments quoted so that the C runtime's (and CommandLineToArgvW's) splitting gives them
// back unchanged.
std::wstring JoinCommandLine(const std::vector<std::string>& argv);

struct StartOptions {
    std::optional<WORD> Show;          // the window state asked of the program (SW_*)
    DWORD Flags = DETACHED_PROCESS;    // creation flags: no console of ours is shared
    std::filesystem::path Folder;      // the program's current folder; empty: ours
};

// CreateProcessW on the command line (its first token is the program, searched as Windows
// does), inheriting no handles; returns at once and keeps no handle of the child. Throws
// std::system_error when it cannot be started.
void StartProcess(std::wstring commandLine, const StartOptions& options);

}  // namespace platform
