#include "platform/FileIdentity.h"

#include "platform/win32/LongPath.h"
#include "platform/win32/SystemError.h"

namespace platform {

FileIdentity IdentityFromStatus(const ::_BY_HANDLE_FILE_INFORMATION& info) {
    return FileIdentity{info.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
    // Attributes only, shared every way: a file the game holds open still answers.
    const OwnedHandle file(CreateFileW(LongPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid()) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return IdentityFromStatus(info);
}

}  // namespace platform
