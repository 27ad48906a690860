#include "platform/AtomicFile.h"

#include <windows.h>

#include <random>
#include <string>

#include "platform/win32/LongPath.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/WideText.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

[[noreturn]] void Fail(const fs::path& path, DWORD error = GetLastError()) {
    ThrowLastError("cannot write " + Utf8Name(path), error);
}

// Opens a new file beside path under a name nobody else uses.
HANDLE CreateTemporary(const fs::path& path, std::wstring& tempName) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = path.native() + L".~" + std::to_wstring(random() % 1000000000) + L".tmp";
        const HANDLE h = CreateFileW(LongPath(tempName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE h, std::string_view content) {
    while (!content.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(h, content.data(), chunk, &written, nullptr)) return false;
        content.remove_prefix(written);
    }
    return true;
}

}  // namespace

void WriteFileAtomically(const fs::path& path, std::string_view content) {
    // A file the user made read-only stays as it is, as an in-place write would. Its other
    // attributes (hidden, say) go over to the new content.
    const DWORD oldAttributes = GetFileAttributesW(LongPath(path).c_str());
    const bool exists = oldAttributes != INVALID_FILE_ATTRIBUTES && !(oldAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (exists && (oldAttributes & FILE_ATTRIBUTE_READONLY)) Fail(path, ERROR_ACCESS_DENIED);

    std::wstring tempName;
    const HANDLE h = CreateTemporary(path, tempName);
    if (h == INVALID_HANDLE_VALUE) Fail(path);

    bool ok = WriteAll(h, content) && FlushFileBuffers(h);
    DWORD error = ok ? 0 : GetLastError();
    CloseHandle(h);
    if (ok && exists) SetFileAttributesW(LongPath(tempName).c_str(), oldAttributes);
    // WRITE_THROUGH: the call returns once the new name is on the disk too.
    if (ok && !MoveFileExW(LongPath(tempName).c_str(), LongPath(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) {
        DeleteFileW(LongPath(tempName).c_str());
        Fail(path, error);
    }
}

}  // namespace platform
