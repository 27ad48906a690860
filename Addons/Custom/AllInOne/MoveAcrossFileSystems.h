#pragma once
// The move MoveFileReplacing falls back on when source and target lie on different file
// systems, where a rename is refused.
#include <filesystem>

namespace AllInOne {

// Copies Source into a part file beside Target, gives it Target's name with its data on the
// disk (never replacing a file there), then removes Source. A copy cut short by an error or a
// kill never stands under Target's name. False when anything fails; Source then stays and no
// second copy is left.
bool MoveAcrossFileSystems(const std::filesystem::path& Source, const std::filesystem::path& Target);

}  // namespace AllInOne
