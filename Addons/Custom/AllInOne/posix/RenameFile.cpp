#include "Addons/Custom/AllInOne/RenameFile.h"

#include <cerrno>
#include <cstdio>

namespace AllInOne {

RenameOutcome RenameWithinFileSystem(const std::filesystem::path& Source, const std::filesystem::path& Target) {
    if (std::rename(Source.c_str(), Target.c_str()) == 0) return RenameOutcome::Done;
    return errno == EXDEV ? RenameOutcome::OtherFileSystem : RenameOutcome::Failed;
}

}  // namespace AllInOne
