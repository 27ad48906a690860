#pragma once
// Reading a file into a part file, for the move across file systems.
#include <filesystem>

#include "platform/PartFile.h"

namespace AllInOne {

// Copies Source into part when it is a regular file (not a link, folder, pipe or device,
// which must neither be followed nor hang the copy); false on any error.
bool CopyRegularFileInto(const std::filesystem::path& Source, platform::PartFile& part);

}  // namespace AllInOne
