#pragma once
// Inside the platform layer only: the half of RemoveLeftoverPartFiles that each system does
// its own way.
#include <filesystem>

namespace platform::detail {

// Removes the part file at path when no living PartFile holds it (its writer ended or was
// killed), and never a folder or a link; true when it went.
bool RemoveIfAbandoned(const std::filesystem::path& path);

}  // namespace platform::detail
