#include "Addons/Custom/AllInOne/RenameFile.h"
#include "platform/win32/LongPath.h"

#include <windows.h>

namespace AllInOne {

// No MOVEFILE_COPY_ALLOWED: its copy can stand half-written under Target's name.
RenameOutcome RenameWithinFileSystem(const std::filesystem::path& Source, const std::filesystem::path& Target) {
    if (MoveFileExW(platform::LongPath(Source).c_str(), platform::LongPath(Target).c_str(), 0)) return RenameOutcome::Done;
    return GetLastError() == ERROR_NOT_SAME_DEVICE ? RenameOutcome::OtherFileSystem : RenameOutcome::Failed;
}

}  // namespace AllInOne
