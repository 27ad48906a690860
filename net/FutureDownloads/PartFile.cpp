#include "net/FutureDownloads/PartFile.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace FutureDownloads::detail {
namespace {

std::string RandomSuffix() {
    thread_local std::mt19937_64 engine{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string s(12, '0');
    for (char& c : s) c = kDigits[engine() % 36];
    return s;
}

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

}  // namespace

PartFile::PartFile(const std::filesystem::path& target) : target_(target) {
    std::string base = ".";  // built step by step: GCC 12 misreads "." + name + ... (-Wrestrict)
    base += target.filename().string();
    base += ".part-";
    for (int attempt = 0; attempt < 8 && fd_ < 0; ++attempt) {
        path_ = target.parent_path() / (base + RandomSuffix());
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        Fail("cannot create", errno);
        path_.clear();
    }
}

PartFile::~PartFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !path_.empty()) ::unlink(path_.c_str());
}

void PartFile::Fail(const char* what, int err) {
    error_ = std::string(what) + " " + (path_.empty() ? target_ : path_).string() + ": " + std::strerror(err);
}

bool PartFile::Write(const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            Fail("cannot write", errno);
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

PartFile::CommitResult PartFile::Commit() {
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) {  // a delayed write error (full disk, network share) shows up here
        Fail("cannot write", errno);
        return CommitResult::Failed;
    }
    const int err = MoveNoReplace(path_, target_);
    if (err == EEXIST) {
        error_ = target_.string() + " appeared while it was being downloaded";
        return CommitResult::TargetExists;
    }
    if (err != 0) {
        Fail("cannot move into place", err);
        return CommitResult::Failed;
    }
    committed_ = true;
    return CommitResult::Done;
}

}  // namespace FutureDownloads::detail
