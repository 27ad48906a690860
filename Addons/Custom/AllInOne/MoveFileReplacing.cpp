#include <cerrno>
#include <cstdio>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"

namespace fs = std::filesystem;

namespace AllInOne {
namespace {

// Across file systems a rename is refused: copy, then remove the source. A copy that
// fails, or a source that cannot be removed, is undone so that no second copy is left.
bool CopyThenRemove(const fs::path& source, const fs::path& target) {
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(source, ec))) return false;
    if (!fs::copy_file(source, target, fs::copy_options::none, ec) || ec) {
        fs::remove(target, ec);
        return false;
    }
    if (!fs::remove(source, ec) || ec) {
        fs::remove(target, ec);
        return false;
    }
    return true;
}

}  // namespace

bool MoveFileReplacing(const fs::path& Source, const fs::path& Target, bool FailIfExists) {
    std::error_code ec;
    // Without a source the move cannot happen; the target is then kept, not deleted for nothing.
    if (!fs::exists(fs::symlink_status(Source, ec))) return false;
    if (fs::exists(fs::symlink_status(Target, ec))) {
        if (FailIfExists) return false;
        fs::remove(Target, ec);  // a failure shows in the move below
    }
    if (std::rename(Source.c_str(), Target.c_str()) == 0) return true;
    return errno == EXDEV && CopyThenRemove(Source, Target);
}

}  // namespace AllInOne
