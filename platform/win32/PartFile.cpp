#include "platform/PartFile.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/ResumeRecord.h"
#include "platform/win32/LongPath.h"
#include "platform/win32/WideText.h"

namespace platform {
namespace {

HANDLE AsHandle(std::intptr_t file) { return reinterpret_cast<HANDLE>(file); }

std::string Message(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = n && text ? std::wstring(text, n) : L"error " + std::to_wstring(error);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.'))
        message.pop_back();
    return Narrow(message);
}

// Gives the open file the target name, never replacing a file there (MoveFileExW without
// MOVEFILE_REPLACE_EXISTING, done on the handle so that it stays locked until it is named).
DWORD RenameNoReplace(HANDLE file, const std::filesystem::path& target) {
    const std::wstring name = LongPath(target);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::memcpy(info->FileName, name.data(), info->FileNameLength);
    if (SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size()))) return 0;
    return GetLastError();
}

}  // namespace

bool PartFile::OpenKept() {
    const std::filesystem::path kept =
        target_.parent_path() / std::filesystem::path(Widen(KeptPartFileName(Utf8Name(target_.filename()))));
    // Share mode 0 again: held by another download, or a cleanup, it cannot be opened.
    const HANDLE h = CreateFileW(LongPath(kept).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(h, LARGE_INTEGER{}, &end, FILE_END)) {
        CloseHandle(h);
        return false;
    }
    file_ = reinterpret_cast<std::intptr_t>(h);
    path_ = kept;
    resumable_ = true;
    return true;
}

PartFile::PartFile(const std::filesystem::path& target, Mode mode) : target_(target) {
    if (mode == Mode::Resumable && OpenKept()) return;
    const std::string targetName = Utf8Name(target.filename());
    DWORD error = 0;
    for (int attempt = 0; attempt < 8 && file_ == kNoFile; ++attempt) {
        path_ = target.parent_path() / std::filesystem::path(Widen(PartFileName(targetName)));
        // Share mode 0 is the lock: nobody else, the leftover cleanup included, can open it
        // while it lives. DELETE lets this handle remove or rename the file itself.
        const HANDLE h = CreateFileW(LongPath(path_).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (h != INVALID_HANDLE_VALUE) file_ = reinterpret_cast<std::intptr_t>(h);
        error = GetLastError();
        if (file_ == kNoFile && error != ERROR_FILE_EXISTS) break;
    }
    if (file_ == kNoFile) {
        Fail("cannot create", static_cast<int>(error));
        path_.clear();
    }
}

PartFile::~PartFile() {
    if (file_ == kNoFile) return;
    // Marked for deletion through the handle: it goes when the handle closes, so no cleanup
    // ever sees it unlocked.
    if (!committed_ && !kept_) {
        ForgetKept();
        FILE_DISPOSITION_INFO dispose{TRUE};
        if (!SetFileInformationByHandle(AsHandle(file_), FileDispositionInfo, &dispose, sizeof dispose)) {
            CloseHandle(AsHandle(file_));
            DeleteFileW(LongPath(path_).c_str());
            return;
        }
    }
    CloseHandle(AsHandle(file_));
}

void PartFile::Fail(const char* what, int err) {
    error_ = std::string(what) + " " + Utf8Name(path_.empty() ? target_ : path_) + ": " +
             Message(static_cast<DWORD>(err));
}

bool PartFile::Write(const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(AsHandle(file_), p, chunk, &written, nullptr)) {
            Fail("cannot write", static_cast<int>(GetLastError()));
            return false;
        }
        p += written;
        size -= written;
    }
    return true;
}

std::int64_t PartFile::Size() const {
    LARGE_INTEGER size{};
    return GetFileSizeEx(AsHandle(file_), &size) ? size.QuadPart : -1;
}

bool PartFile::Truncate(std::int64_t size) {
    LARGE_INTEGER at{};
    at.QuadPart = size;
    if (!SetFilePointerEx(AsHandle(file_), at, nullptr, FILE_BEGIN) || !SetEndOfFile(AsHandle(file_))) {
        Fail("cannot cut", static_cast<int>(GetLastError()));
        return false;
    }
    return true;
}

std::int64_t PartFile::ReadAt(std::int64_t offset, void* data, std::size_t size) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    const bool ok = ReadFile(AsHandle(file_), data, chunk, &read, &at) || GetLastError() == ERROR_HANDLE_EOF;
    // A read at an offset moves the file's own position: writing goes on at the end.
    SetFilePointerEx(AsHandle(file_), LARGE_INTEGER{}, nullptr, FILE_END);
    return ok ? static_cast<std::int64_t>(read) : -1;
}

bool PartFile::Sync() {
    if (!FlushFileBuffers(AsHandle(file_))) {
        Fail("cannot write", static_cast<int>(GetLastError()));
        return false;
    }
    return true;
}

PartFile::CommitResult PartFile::Commit() {
    // A power cut after the rename must not leave an empty or short file under the real name,
    // which the check would accept for good: the data goes to the disk first.
    if (!Sync()) return CommitResult::Failed;
    return Name();
}

// Flushing a whole volume needs an administrator's handle on it; per file it is then.
bool PartFile::SyncFileSystem() { return false; }

bool PartFile::HasFileSystemSync() { return false; }

PartFile::CommitResult PartFile::Name() {
    // The hidden mark is the part file's alone; the mod under its real name is a plain file.
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    SetFileInformationByHandle(AsHandle(file_), FileBasicInfo, &basic, sizeof basic);
    const DWORD err = RenameNoReplace(AsHandle(file_), target_);
    if (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS) {
        error_ = Utf8Name(target_) + " appeared while it was being written";
        return CommitResult::TargetExists;  // still open: the destructor removes it
    }
    if (err != 0) {
        Fail("cannot move into place", static_cast<int>(err));
        return CommitResult::Failed;
    }
    committed_ = true;
    ForgetKept();
    CloseHandle(AsHandle(file_));
    file_ = kNoFile;
    return CommitResult::Done;
}

}  // namespace platform
