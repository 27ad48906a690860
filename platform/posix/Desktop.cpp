#include "platform/Desktop.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Processes.h"

namespace platform {
namespace {

// Looked for before anything starts: a desktop without it gets a message the player can act on,
// not the system's "No such file or directory".
std::string Opener() {
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::size_t end = folders.find(':');
        const std::string_view folder = folders.substr(0, end);
        const std::string candidate = std::string(folder.empty() ? "." : folder) + "/xdg-open";
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        if (end == std::string_view::npos) break;
        folders.remove_prefix(end + 1);
    }
    throw std::runtime_error(
        "Не удалось открыть: не найдена программа xdg-open, которой открываются файлы и папки. "
        "Установите пакет xdg-utils (например: sudo apt install xdg-utils).");
}

}  // namespace

std::optional<std::string> TextEditorCommandLine(const std::filesystem::path&) { return std::nullopt; }

std::string TextForTheEditor(std::string_view utf8) { return std::string(utf8); }

void OpenInTextEditor(const std::filesystem::path& file) {
    SpawnDetached({Opener(), std::filesystem::absolute(file).string()});
}

void OpenFolder(const std::filesystem::path& folder) {
    SpawnDetached({Opener(), std::filesystem::absolute(folder).string()});
}

void OpenProgram(const std::filesystem::path& file, const std::filesystem::path& workingDir) {
    // The paths travel as arguments, never inside the script text.
    SpawnDetached({"sh", "-c", "cd \"$1\" && exec \"$2\" \"$3\"", "sh", workingDir.string(), Opener(),
                   std::filesystem::absolute(file).string()});
}

}  // namespace platform
