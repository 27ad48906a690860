#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

#include "net/FutureDownloads/FutureDownloads.h"
#include "net/FutureDownloads/MarkerScanner.h"

namespace FutureDownloads {

bool IsErrorPage(const std::filesystem::path& Path) {
    // Non-blocking open: a named pipe in the folder must not hang the check.
    const int fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {  // folders, pipes, devices hold no page
        ::close(fd);
        return false;
    }
    MarkerScanner scanner;
    std::array<char, 64 * 1024> block;
    int readError = 0;
    while (!scanner.Done()) {
        const ssize_t n = ::read(fd, block.data(), block.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) readError = errno;
        if (n <= 0) break;
        scanner.Feed(block.data(), static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (readError != 0)
        throw std::system_error(readError, std::generic_category(), "reading " + Path.string());
    return scanner.Found();
}

}  // namespace FutureDownloads
