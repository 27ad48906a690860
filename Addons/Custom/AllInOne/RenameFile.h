#pragma once
// The plain rename MoveFileReplacing tries first.
#include <filesystem>

namespace AllInOne {

enum class RenameOutcome {
    Done,
    OtherFileSystem,  // source and target lie on different file systems (volumes)
    Failed,
};

// Renames Source to Target on one file system, never copying. Target must not exist.
RenameOutcome RenameWithinFileSystem(const std::filesystem::path& Source, const std::filesystem::path& Target);

}  // namespace AllInOne
