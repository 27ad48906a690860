#include <windows.h>

#include "platform/PartFile.h"

namespace platform {
namespace {

// Removes the part file when nobody holds it open (its writer ended or was killed): a living
// PartFile shares it with nobody, so this open fails while it is written.
bool RemoveIfAbandoned(const std::filesystem::path& path) {
    const HANDLE h = CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
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

}  // namespace

std::size_t RemoveLeftoverPartFiles(const std::filesystem::path& folder) {
    std::size_t removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        // Part file names are ASCII: a name that is not cannot be one.
        const std::wstring name = it->path().filename().native();
        if (name.find_first_not_of(L"0123456789abcdefghijklmnopqrstuvwxyz.-") != std::wstring::npos) continue;
        if (IsPartFileName(std::string(name.begin(), name.end())) && RemoveIfAbandoned(it->path())) ++removed;
    }
    return removed;
}

}  // namespace platform
