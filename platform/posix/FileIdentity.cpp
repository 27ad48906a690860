#include "platform/FileIdentity.h"

#include <sys/stat.h>

namespace platform {

FileIdentity IdentityFromStatus(const struct ::stat& st) {
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
    return IdentityFromStatus(st);
}

}  // namespace platform
