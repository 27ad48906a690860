#pragma once
// Free-standing routines the rest of the program calls. No state is kept between calls.
#include <cstdint>
#include <filesystem>
#include <string>

namespace AllInOne {

// Byte count as text with a Russian unit word, rounded at 10^Digit (halves to even).
// Callers pass 255 (-1, one decimal) or 254 (-2, two decimals). Empty for Size < 0 or >= 1024^9.
std::string FormatSize(std::int8_t Digit, double Size);
// The same with an explicit decimal separator (the one-argument form asks the locale).
std::string FormatSize(std::int8_t Digit, double Size, char DecimalSeparator);

// Starts a program from a command line (first token is the program) and returns at once.
// Throws std::system_error when it cannot be started.
void RunCommandLine(const std::string& CommandLine, std::uint16_t ShowCmd);

// True when a process runs whose executable file name, cut to Name's length, equals Name
// (A-Z compared without regard to case, everything else exactly).
bool IsProcessRunning(const std::string& Name);

// N decimal digits from a freshly seeded generator.
std::string RandomDigits(std::uint8_t N);

// Writes the exchange script beside the running program and starts it detached, then
// ends the process with exit code 0. Throws (and does not end) when a name is unsafe or
// the script cannot be written.
[[noreturn]] void ReplaceSelfViaBatch(const std::string& NewName, const std::string& TempName);

// Moves Source onto Target. When Target exists: false with FailIfExists, else Target is
// deleted first.
bool MoveFileReplacing(const std::filesystem::path& Source, const std::filesystem::path& Target,
                       bool FailIfExists);

// Replaces %name% references by environment values; unknown ones stay. At most 255 characters.
std::string ExpandEnvText(const std::string& Text);

// Size of the file in bytes, 0 when it does not exist; throws when it exists but cannot be read.
std::int64_t LocalFileSize(const std::filesystem::path& Path);

}  // namespace AllInOne
