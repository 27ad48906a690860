#pragma once
// Processes of this machine: what runs, starting a program without waiting for it, and
// where the running program itself lives.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The file-name part of every running process's executable (the kernel's short command
// name where the executable cannot be read; the process snapshot's on Windows). Empty when
// the process list cannot be read.
std::vector<std::string> RunningExecutableNames();

// Starts argv[0] (searched on PATH when it holds no "/"; as CreateProcessW searches on
// Windows) with the given arguments, in a session of its own (without a console of ours on
// Windows), and returns at once; the child is reaped when it ends, so it never lingers as a
// zombie. Throws std::system_error when the program cannot be started.
void SpawnDetached(const std::vector<std::string>& argv);

// Full path of the running program's executable. Throws std::system_error when unknown.
std::filesystem::path OwnExecutablePath();

// The file's 8.3 short name on Windows (plain ASCII, "PACKWE~1.EXE"), for what must name it in a
// narrow code page; none elsewhere, or where the volume keeps no short names.
std::optional<std::string> ShortFileName(const std::filesystem::path& file);

}  // namespace platform
