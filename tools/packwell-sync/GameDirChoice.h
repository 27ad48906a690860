#pragma once
// Which game folder the client works on: the one given, or the one the window would find.
#include <filesystem>
#include <optional>

#include "core/gamefolder/GameFolder.h"

namespace packwell::cli {

struct GameDirChoice {
    std::filesystem::path gameDir;
    FolderCheck check;  // the window's validation of it
};

// Without `given`: Settings.ini, then the launcher's file, then the default folder, exactly as
// the window's start-up does. Throws what reading the launcher's file throws.
GameDirChoice ChooseGameDir(const std::optional<std::filesystem::path>& given);

}  // namespace packwell::cli
