#include "Addons/Custom/AllInOne/MoveAcrossFileSystems.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

#include "platform/PartFile.h"

namespace fs = std::filesystem;

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

bool MoveAcrossFileSystems(const fs::path& Source, const fs::path& Target) {
    const int from = ::open(Source.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (from < 0) return false;
    struct stat st {};
    bool copied = false;
    {
        platform::PartFile part(Target);
        copied = ::fstat(from, &st) == 0 && S_ISREG(st.st_mode) && part.IsOpen() && CopyInto(from, part) &&
                 part.Commit() == platform::PartFile::CommitResult::Done;
    }
    ::close(from);
    if (!copied) return false;
    std::error_code ec;
    if (!fs::remove(Source, ec) || ec) {  // a source that stays would leave two copies
        fs::remove(Target, ec);
        return false;
    }
    return true;
}

}  // namespace AllInOne
