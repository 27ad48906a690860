#include "ui/qt/WindowServices.h"

#include <QCoreApplication>

#include "ui/qt/GameWarning.h"
#include "ui/qt/skin/Controls.h"

WindowServices WindowServices::Defaults() {
    WindowServices s;
    static_cast<packwell::window::DesktopServices&>(s) = packwell::window::DesktopServices::System();
    s.chooseFolder = &skin::TsPathDialog::RunFolderDialog;
    s.showGameWarning = &ShowGameWarning;
    // exit(), not quit(): quit() first asks every window to close, and this window refuses.
    s.terminate = [] { QCoreApplication::exit(0); };
    return s;
}
