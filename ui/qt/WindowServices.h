#pragma once
// What the main window hands to the desktop. Tests replace these to watch them.
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

#include "core/extras/FileOpener.h"
#include "core/gamefolder/GameGuard.h"

class QWidget;

struct WindowServices {
    // The folder picker: the chosen folder, nothing after Cancel.
    std::function<std::optional<QString>(QWidget* parent, const QString& startFolder)> chooseFolder;
    // Shows a folder in the file browser.
    std::function<void(const std::filesystem::path& folder)> openFolder;
    // Opens the status export in the text editor.
    std::function<void(const std::filesystem::path& file)> openTextFile;
    // The running-game warning: modal, on top of everything, returns when it is closed.
    std::function<void(QWidget* parent)> showGameWarning;
    // Where the running-game guard looks for the game and how it ends it.
    packwell::GameGuardPlatform gamePlatform;
    // Ends the message loop of the program.
    std::function<void()> terminate;
    // Hands a fetched program (Settingss.exe, the Forge installer) to the desktop to open.
    packwell::FileOpener openProgram;
    // Whether the computer is online; empty asks the system.
    std::function<bool()> isConnected;

    static WindowServices Defaults();
};
