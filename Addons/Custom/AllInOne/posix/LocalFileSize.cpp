#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"

namespace AllInOne {

// The size comes from the file system; opening the file keeps the contract that a file
// present but unreadable is an error, not a size. O_NONBLOCK: a named pipe must not hang us.
std::int64_t LocalFileSize(const std::filesystem::path& Path) {
    const int fd = ::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return 0;
        throw std::system_error(errno, std::generic_category(), "cannot read " + Path.string());
    }
    struct stat info{};
    const int statError = ::fstat(fd, &info) == 0 ? 0 : errno;
    ::close(fd);
    if (statError) throw std::system_error(statError, std::generic_category(), "cannot read " + Path.string());
    if (S_ISDIR(info.st_mode)) throw std::system_error(EISDIR, std::generic_category(), "cannot read " + Path.string());
    return static_cast<std::int64_t>(info.st_size);
}

}  // namespace AllInOne
