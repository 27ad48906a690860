#include "platform/PartFile.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

// Gives `from` the name `to` unless `to` exists; 0 or an errno value.
int MoveNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
#if defined(RENAME_NOREPLACE)
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
#endif
    // File systems without the no-replace move: link() refuses an existing name as well.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != ENOSYS) return errno;
    // Nor hard links (FAT): look, then move; a file made between the two steps gets replaced.
    if (::access(to.c_str(), F_OK) == 0 || errno != ENOENT) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Written data starts its way to the disk in steps of this size while the download goes on,
// so the sync before the name finds little left to write and the disk works beside the
// network instead of after it.
constexpr std::uint64_t kWritebackStep = 8u << 20;

}  // namespace

void PartFile::StartWriteback() {
#if defined(SYNC_FILE_RANGE_WRITE)
    if (written_ - handedOver_ < kWritebackStep) return;
    // Only starts the writing, never waits for it: the download goes on meanwhile. A failure
    // here loses nothing; the sync before the name still reports it.
    ::sync_file_range(static_cast<int>(file_), static_cast<off_t>(handedOver_),
                      static_cast<off_t>(written_ - handedOver_), SYNC_FILE_RANGE_WRITE);
    handedOver_ = written_;
#endif
}

PartFile::PartFile(const std::filesystem::path& target) : target_(target) {
    const std::string targetName = target.filename().string();
    for (int attempt = 0; attempt < 8 && file_ == kNoFile; ++attempt) {
        path_ = target.parent_path() / PartFileName(targetName);
        file_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file_ == kNoFile && errno != EEXIST) break;
    }
    if (file_ == kNoFile) {
        Fail("cannot create", errno);
        path_.clear();
        return;
    }
    // Marks the file as in use for RemoveLeftoverPartFiles; the lock ends with the descriptor,
    // also when the process is killed. A file system without locks only loses that mark.
    ::flock(static_cast<int>(file_), LOCK_EX | LOCK_NB);
}

PartFile::~PartFile() {
    // Unlinked before the lock goes, so no cleanup ever sees it unlocked.
    if (!committed_ && !path_.empty()) ::unlink(path_.c_str());
    if (file_ != kNoFile) ::close(static_cast<int>(file_));
}

void PartFile::Fail(const char* what, int err) {
    error_ = std::string(what) + " " + (path_.empty() ? target_ : path_).string() + ": " + std::strerror(err);
}

bool PartFile::Write(const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(static_cast<int>(file_), p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            Fail("cannot write", errno);
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
        written_ += static_cast<std::uint64_t>(n);
    }
    StartWriteback();
    return true;
}

PartFile::CommitResult PartFile::Commit() {
    // A power cut after the rename must not leave an empty or short file under the real name,
    // which the check would accept for good: the data goes to the disk first.
    if (::fsync(static_cast<int>(file_)) != 0 && errno != EINVAL) {  // EINVAL: a file system that cannot sync
        Fail("cannot write", errno);
        return CommitResult::Failed;
    }
    return Name();
}

bool PartFile::SyncFileSystem() { return ::syncfs(static_cast<int>(file_)) == 0; }

bool PartFile::HasFileSystemSync() { return true; }

PartFile::CommitResult PartFile::Name() {
    // The lock is held until the rename is done: the cleanup never takes a file about to be
    // renamed. After a good sync, closing has no write error left to report.
    const int err = MoveNoReplace(path_, target_);
    ::close(static_cast<int>(file_));
    file_ = kNoFile;
    if (err == EEXIST) {
        error_ = target_.string() + " appeared while it was being written";
        return CommitResult::TargetExists;
    }
    if (err != 0) {
        Fail("cannot move into place", err);
        return CommitResult::Failed;
    }
    committed_ = true;
    return CommitResult::Done;
}

}  // namespace platform
