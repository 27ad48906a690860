#include "platform/Desktop.h"

#include "platform/Processes.h"

namespace platform {

void OpenInTextEditor(const std::filesystem::path& file) {
    SpawnDetached({"xdg-open", std::filesystem::absolute(file).string()});
}

void OpenFolder(const std::filesystem::path& folder) {
    SpawnDetached({"xdg-open", std::filesystem::absolute(folder).string()});
}

}  // namespace platform
