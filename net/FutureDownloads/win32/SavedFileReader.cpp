#include "net/FutureDownloads/SavedFileReader.h"

#include <windows.h>

#include <system_error>

#include "core/Utf8Path.h"
#include "platform/win32/LongPath.h"

namespace FutureDownloads::detail {

SavedFileReader::SavedFileReader(const std::filesystem::path& path) : path_(path) {
    // Shared every way: a file the game or an unpacker still holds is read all the same.
    const HANDLE h = CreateFileW(platform::LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        // A folder, a locked file or one without read permission: only its attributes tell,
        // and only this rare case pays for the query.
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
        const DWORD attributes = GetFileAttributesW(platform::LongPath(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            kind_ = Kind::Unreadable;
        return;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info)) {  // pipes and devices hold no page
        CloseHandle(h);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(h);
    size_ = static_cast<std::int64_t>((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
    identity_ = platform::IdentityFromStatus(info);
    // 100-nanosecond steps since 1601 to microseconds since 1970.
    const std::uint64_t ticks =
        (std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) | info.ftLastWriteTime.dwLowDateTime;
    modified_ = static_cast<std::int64_t>(ticks / 10) - 11'644'473'600'000'000;
    kind_ = Kind::Regular;
}

SavedFileReader::~SavedFileReader() {
    if (kind_ == Kind::Regular) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::size_t SavedFileReader::Read(void* buffer, std::size_t want) {
    DWORD n = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(handle_), buffer, static_cast<DWORD>(want), &n, nullptr))
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "reading " + packwell::Utf8FromPath(path_));
    return n;
}

}  // namespace FutureDownloads::detail
