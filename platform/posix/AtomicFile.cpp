#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {
namespace {

[[noreturn]] void Fail(int error, const fs::path& path) {
    throw std::system_error(error, std::generic_category(), "cannot write " + path.string());
}

// Opens a new file beside path under a name nobody else uses.
int CreateTemporary(const fs::path& path, std::string& tempName) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = path.string() + ".~" + std::to_string(random() % 1000000000) + ".tmp";
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

void WriteFileAtomically(const fs::path& path, std::string_view content) {
    // A file the user made read-only stays as it is, as an in-place write would.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) Fail(errno, path);

    std::string tempName;
    const int fd = CreateTemporary(path, tempName);
    if (fd < 0) Fail(errno, path);

    struct stat old{};
    bool ok = true;
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, content) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(tempName.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(tempName.c_str());
        Fail(error, path);
    }

    // The rename itself reaches the disk with the folder's entry.
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

}  // namespace platform
