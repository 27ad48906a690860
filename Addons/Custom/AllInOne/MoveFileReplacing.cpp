#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "Addons/Custom/AllInOne/MoveAcrossFileSystems.h"
#include "Addons/Custom/AllInOne/RenameFile.h"

namespace fs = std::filesystem;

namespace AllInOne {

bool MoveFileReplacing(const fs::path& Source, const fs::path& Target, bool FailIfExists) {
    std::error_code ec;
    // Without a source the move cannot happen; the target is then kept, not deleted for nothing.
    if (!fs::exists(fs::symlink_status(Source, ec))) return false;
    if (fs::exists(fs::symlink_status(Target, ec))) {
        if (FailIfExists) return false;
        fs::remove(Target, ec);  // a failure shows in the move below
    }
    switch (RenameWithinFileSystem(Source, Target)) {
        case RenameOutcome::Done: return true;
        case RenameOutcome::OtherFileSystem: return MoveAcrossFileSystems(Source, Target);
        case RenameOutcome::Failed: break;
    }
    return false;
}

}  // namespace AllInOne
