#include "net/FutureDownloads/SavedFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <system_error>

namespace FutureDownloads::detail {

SavedFileReader::SavedFileReader(const std::filesystem::path& path) : path_(path) {
    // Non-blocking open: a named pipe in the folder must not hang the check; no device found
    // here becomes the controlling terminal.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        // A path that cannot be opened may still hold a regular file (no read permission):
        // only a status query on the path tells, and only this rare case pays for it.
        struct stat st {};
        if (errno != ENOENT && errno != ENOTDIR && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            kind_ = Kind::Unreadable;
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return;
    }
    handle_ = fd;
    size_ = st.st_size;
    identity_ = platform::IdentityFromStatus(st);
    // Clamped: a time set far out of range must not overflow the conversion.
    constexpr std::int64_t kMaxSeconds = std::numeric_limits<std::int64_t>::max() / 1'000'000 - 1;
    const std::int64_t seconds = std::clamp<std::int64_t>(st.st_mtim.tv_sec, -kMaxSeconds, kMaxSeconds);
    modified_ = seconds * 1'000'000 + st.st_mtim.tv_nsec / 1000;
    kind_ = Kind::Regular;
}

SavedFileReader::~SavedFileReader() {
    if (kind_ == Kind::Regular) ::close(static_cast<int>(handle_));
}

std::size_t SavedFileReader::Read(void* buffer, std::size_t want) {
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(handle_), buffer, want);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) throw std::system_error(errno, std::generic_category(), "reading " + path_.string());
    }
}

}  // namespace FutureDownloads::detail
