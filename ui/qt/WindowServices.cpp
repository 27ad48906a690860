#include "ui/qt/WindowServices.h"

#include <QCoreApplication>

#include "platform/Desktop.h"
#include "ui/qt/GameWarning.h"
#include "ui/qt/skin/Controls.h"

WindowServices WindowServices::Defaults() {
    WindowServices s;
    s.chooseFolder = &skin::TsPathDialog::RunFolderDialog;
    s.openFolder = &platform::OpenFolder;
    s.openTextFile = &platform::OpenInTextEditor;
    s.showGameWarning = &ShowGameWarning;
    s.gamePlatform = packwell::GameGuardPlatform::System();
    // exit(), not quit(): quit() first asks every window to close, and this window refuses.
    s.terminate = [] { QCoreApplication::exit(0); };
    s.openProgram = &packwell::OpenWithDesktop;
    return s;
}
