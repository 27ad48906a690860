#include "core/extras/FileOpener.h"

#include "platform/Processes.h"

namespace packwell {

void OpenWithDesktop(const std::filesystem::path& file, const std::filesystem::path& workingDir) {
    // The paths travel as arguments, never inside the script text.
    platform::SpawnDetached({"sh", "-c", "cd \"$1\" && exec xdg-open \"$2\"", "sh", workingDir.string(), file.string()});
}

}  // namespace packwell
