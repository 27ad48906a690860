#include "platform/PartFile.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/ResumeRecord.h"

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

bool PartFile::OpenKept() {
    const std::filesystem::path kept = target_.parent_path() / KeptPartFileName(target_.filename().string());
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(kept.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) return false;
        // Held by another download (or by a cleanup about to remove it): not ours to write.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return false;
        }
        // A cleanup may have removed the file between the open and the lock: then this
        // descriptor holds a file nobody can find again, so open anew.
        struct stat held {}, named {};
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::stat(kept.c_str(), &named) == 0 &&
            held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
            file_ = fd;
            path_ = kept;
            resumable_ = true;
            written_ = handedOver_ = static_cast<std::uint64_t>(::lseek(fd, 0, SEEK_END));
            return true;
        }
        ::close(fd);
    }
    return false;
}

PartFile::PartFile(const std::filesystem::path& target, Mode mode) : target_(target) {
    if (mode == Mode::Resumable && OpenKept()) return;
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
    if (!committed_ && !kept_ && !path_.empty()) {
        ::unlink(path_.c_str());
        ForgetKept();
    }
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

std::int64_t PartFile::Size() const {
    struct stat st {};
    return ::fstat(static_cast<int>(file_), &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

bool PartFile::Truncate(std::int64_t size) {
    if (::ftruncate(static_cast<int>(file_), static_cast<off_t>(size)) != 0 ||
        ::lseek(static_cast<int>(file_), static_cast<off_t>(size), SEEK_SET) < 0) {
        Fail("cannot cut", errno);
        return false;
    }
    written_ = handedOver_ = static_cast<std::uint64_t>(size);
    return true;
}

std::int64_t PartFile::ReadAt(std::int64_t offset, void* data, std::size_t size) {
    for (;;) {
        const ssize_t n = ::pread(static_cast<int>(file_), data, size, static_cast<off_t>(offset));
        if (n >= 0) return n;
        if (errno != EINTR) return -1;
    }
}

bool PartFile::Sync() {
    if (::fsync(static_cast<int>(file_)) != 0 && errno != EINVAL) {  // EINVAL: a file system that cannot sync
        Fail("cannot write", errno);
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
    ForgetKept();
    return CommitResult::Done;
}

}  // namespace platform
