#pragma once
// Which file a name reaches on this system: two names may reach one file (letter case, 8.3 short
// names and trailing dots on Windows, hard links and case-insensitive folders anywhere), and only
// the file's identity says so.
#include <cstdint>
#include <filesystem>
#include <optional>

namespace platform {

// Device and inode on Linux; volume serial and file index on Windows.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
    friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file path names, following no final link; none when nothing is there or
// the system will not say.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

}  // namespace platform
