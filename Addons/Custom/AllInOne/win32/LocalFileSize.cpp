#include <windows.h>

#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "platform/win32/LongPath.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/WideText.h"

namespace AllInOne {

// Opening the file keeps the contract that a file present but unreadable is an error, not a
// size; others may go on writing or renaming it meanwhile.
std::int64_t LocalFileSize(const std::filesystem::path& Path) {
    platform::OwnedHandle file(CreateFileW(platform::LongPath(Path).c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
        platform::ThrowLastError("cannot read " + platform::Utf8Name(Path), error);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info))
        platform::ThrowLastError("cannot read " + platform::Utf8Name(Path));
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        platform::ThrowLastError("cannot read " + platform::Utf8Name(Path), ERROR_DIRECTORY);
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
}

}  // namespace AllInOne
