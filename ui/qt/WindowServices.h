#pragma once
// What the main window hands to the desktop, with the Qt window's own dialogs. Tests replace
// these to watch them.
#include <QString>
#include <functional>
#include <optional>

#include "ui/window/DesktopServices.h"

class QWidget;

struct WindowServices : packwell::window::DesktopServices {
    // The folder picker: the chosen folder, nothing after Cancel.
    std::function<std::optional<QString>(QWidget* parent, const QString& startFolder)> chooseFolder;
    // The running-game warning: modal, on top of everything, returns when it is closed.
    std::function<void(QWidget* parent)> showGameWarning;
    // Ends the message loop of the program.
    std::function<void()> terminate;

    static WindowServices Defaults();
};
