#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AbandonedPartFile.h"

namespace platform::detail {

// A living PartFile holds a lock on its file: one this open can take is abandoned.
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

}  // namespace platform::detail
