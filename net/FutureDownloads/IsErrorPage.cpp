#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

#include "net/FutureDownloads/FutureDownloads.h"
#include "net/FutureDownloads/MarkerScanner.h"

namespace FutureDownloads {
namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kBlock = 128 * 1024;  // what `cat` reads at a time

// A path that cannot be opened may still hold a regular file (no read permission): only a
// status query on the path tells, and only this rare case pays for it.
SavedFile WhatCannotBeOpened(const std::filesystem::path& Path, int openError) {
    if (openError == ENOENT || openError == ENOTDIR) return SavedFile::None;
    struct stat st {};
    return ::stat(Path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? SavedFile::Content : SavedFile::None;
}

}  // namespace

SavedFile InspectSavedFile(const std::filesystem::path& Path) {
    // Non-blocking open: a named pipe in the folder must not hang the check; no device found
    // here becomes the controlling terminal.
    const int fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return WhatCannotBeOpened(Path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {  // folders, pipes, devices hold no page
        ::close(fd);
        return SavedFile::None;
    }
    // Page-aligned: the kernel copies a cached file into it several times faster than into a
    // buffer that is not. The first read takes one page only: a jar's first byte 26 lies
    // within its first kilobytes, and copying more of it would be wasted.
    alignas(kPage) std::array<char, kBlock> block;
    MarkerScanner scanner;
    std::size_t want = kPage;
    off_t offset = 0;
    int readError = 0;
    while (!scanner.Done()) {
        const ssize_t n = ::read(fd, block.data(), want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) readError = errno;
        if (n <= 0) break;
        scanner.Feed(block.data(), static_cast<std::size_t>(n));
        offset += n;
        // A short read that reaches the size the file had when opened is its end; asking
        // again only to be told 0 would cost a call per file.
        if (static_cast<std::size_t>(n) < want && offset >= st.st_size) break;
        want = block.size();
    }
    ::close(fd);
    if (readError != 0)
        throw std::system_error(readError, std::generic_category(), "reading " + Path.string());
    return scanner.Found() ? SavedFile::ErrorPage : SavedFile::Content;
}

bool IsErrorPage(const std::filesystem::path& Path) { return InspectSavedFile(Path) == SavedFile::ErrorPage; }

}  // namespace FutureDownloads
