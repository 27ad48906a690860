#include "Addons/Custom/AllInOne/RegularFileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace AllInOne {
namespace {

// Copies the open file into the part file; false on a read or write error.
bool CopyInto(int from, platform::PartFile& part) {
    std::vector<char> block(256 * 1024);
    for (;;) {
        const ssize_t n = ::read(from, block.data(), block.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!part.Write(block.data(), static_cast<std::size_t>(n))) return false;
    }
}

}  // namespace

bool CopyRegularFileInto(const std::filesystem::path& Source, platform::PartFile& part) {
    const int from = ::open(Source.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (from < 0) return false;
    struct stat st {};
    const bool copied = ::fstat(from, &st) == 0 && S_ISREG(st.st_mode) && CopyInto(from, part);
    ::close(from);
    return copied;
}

}  // namespace AllInOne
