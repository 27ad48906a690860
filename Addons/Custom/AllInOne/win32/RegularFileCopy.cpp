#include "Addons/Custom/AllInOne/RegularFileCopy.h"

#include <windows.h>

#include <vector>

#include "platform/win32/LongPath.h"
#include "platform/win32/SystemError.h"

namespace AllInOne {
namespace {

bool CopyInto(HANDLE from, platform::PartFile& part) {
    std::vector<char> block(256 * 1024);
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(from, block.data(), static_cast<DWORD>(block.size()), &n, nullptr)) return false;
        if (n == 0) return true;
        if (!part.Write(block.data(), n)) return false;
    }
}

}  // namespace

bool CopyRegularFileInto(const std::filesystem::path& Source, platform::PartFile& part) {
    // OPEN_REPARSE_POINT: a link is looked at, not followed.
    platform::OwnedHandle from(CreateFileW(platform::LongPath(Source).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!from.valid() || GetFileType(from.get()) != FILE_TYPE_DISK) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    return GetFileInformationByHandle(from.get(), &info) && !(info.dwFileAttributes & kNotAFile) &&
           CopyInto(from.get(), part);
}

}  // namespace AllInOne
