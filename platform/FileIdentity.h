#pragma once
// Which file a name reaches on this system: two names may reach one file (letter case, 8.3 short
// names and trailing dots on Windows, hard links and case-insensitive folders anywhere), and only
// the file's identity says so.
#include <cstdint>
#include <filesystem>
#include <optional>

#ifdef _WIN32
struct _BY_HANDLE_FILE_INFORMATION;
#else
struct stat;
#endif

namespace platform {

// Device and inode on Linux; volume serial and file index on Windows.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
    friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

// From what an open file's status says (the one spelling of each): stat's st_dev and st_ino, or
// on Windows BY_HANDLE_FILE_INFORMATION's volume serial and file index.
#ifdef _WIN32
FileIdentity IdentityFromStatus(const ::_BY_HANDLE_FILE_INFORMATION& info);
#else
FileIdentity IdentityFromStatus(const struct ::stat& status);
#endif

// The identity of the file path names, following no final link; none when nothing is there or
// the system will not say.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

}  // namespace platform
