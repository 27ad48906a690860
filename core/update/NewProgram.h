#pragma once
// The new program file of an update: where the server keeps it for this system, the names it
// travels under, and the checks it must pass before the exchange may delete the running one.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace packwell {

// Server path of the new program. "/Update.exe" is the Windows build; Linux clients fetch
// "/Update-linux", an ELF executable published beside it.
const char* NewProgramServerPath();

// "Packwell Brenvik v" + version, with ".exe" on Windows only.
std::string NewProgramFileName(const std::string& version);
// Twenty random digits, with ".exe" on Windows only.
std::string NewProgramTempName();

// Longest announced version taken: the new program's name must stay far below the 255 bytes
// a file name may have.
inline constexpr std::size_t kMaxVersionLength = 64;

// The announced version becomes part of a file name and of the exchange script: only ASCII
// letters, digits, ".", "-" and "_" may, at most kMaxVersionLength of them. The empty version
// is allowed (it names "Packwell Brenvik v").
bool IsSafeVersionText(std::string_view version);

enum class NewProgramVerdict {
    Ok,
    Missing,         // nothing arrived
    Empty,
    WrongLength,     // differs from the length announced before the download
    NotExecutable,   // not a whole program this machine can start (ExecutableFormat.h)
};

// `announcedLength` -1: none was announced, so the length is not compared.
NewProgramVerdict CheckNewProgram(const std::filesystem::path& file, std::int64_t announcedLength);

}  // namespace packwell
