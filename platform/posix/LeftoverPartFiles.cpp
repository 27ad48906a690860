#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "platform/PartFile.h"

namespace platform {
namespace {

// Removes the part file when no PartFile holds its lock (its writer ended or was killed).
bool RemoveIfAbandoned(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool removed = false;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        removed = ::unlink(path.c_str()) == 0;
    ::close(fd);
    return removed;
}

}  // namespace

std::size_t RemoveLeftoverPartFiles(const std::filesystem::path& folder) {
    std::size_t removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (IsPartFileName(name) && RemoveIfAbandoned(it->path())) ++removed;
    }
    return removed;
}

}  // namespace platform
