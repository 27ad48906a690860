#pragma once
// What the main window hands to the desktop, whatever toolkit draws it. Tests replace these to
// watch them; each toolkit adds its own dialogs beside them.
#include <filesystem>
#include <functional>

#include "core/extras/FileOpener.h"
#include "core/gamefolder/GameGuard.h"

namespace packwell::window {

struct DesktopServices {
    // Shows a folder in the file browser.
    std::function<void(const std::filesystem::path& folder)> openFolder;
    // Opens the status export in the text editor.
    std::function<void(const std::filesystem::path& file)> openTextFile;
    // Where the running-game guard looks for the game and how it ends it.
    GameGuardPlatform gamePlatform;
    // Hands a fetched program (Settingss.exe, the Forge installer) to the desktop to open.
    FileOpener openProgram;
    // Whether the computer is online; empty asks the system.
    std::function<bool()> isConnected;

    // The system's own: the file browser, the text editor, the game's window and process.
    static DesktopServices System();
};

}  // namespace packwell::window
