#include <windows.h>

#include "platform/AbandonedPartFile.h"
#include "platform/win32/LongPath.h"

namespace platform::detail {

// A living PartFile shares its file with nobody, so this open fails while it is written.
bool RemoveIfAbandoned(const std::filesystem::path& path) {
    const HANDLE h = CreateFileW(LongPath(path).c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    bool removed = false;
    constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    if (GetFileInformationByHandle(h, &info) && !(info.dwFileAttributes & kNotAFile)) {
        FILE_DISPOSITION_INFO dispose{TRUE};
        removed = SetFileInformationByHandle(h, FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
    }
    CloseHandle(h);
    return removed;
}

}  // namespace platform::detail
