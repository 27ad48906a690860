#include "Addons/Custom/AllInOne/MoveAcrossFileSystems.h"

#include <system_error>

#include "Addons/Custom/AllInOne/RegularFileCopy.h"
#include "platform/PartFile.h"

namespace fs = std::filesystem;

namespace AllInOne {

bool MoveAcrossFileSystems(const fs::path& Source, const fs::path& Target) {
    bool copied = false;
    {
        platform::PartFile part(Target);
        copied = part.IsOpen() && CopyRegularFileInto(Source, part) &&
                 part.Commit() == platform::PartFile::CommitResult::Done;
    }
    if (!copied) return false;
    std::error_code ec;
    if (!fs::remove(Source, ec) || ec) {  // a source that stays would leave two copies
        fs::remove(Target, ec);
        return false;
    }
    return true;
}

}  // namespace AllInOne
