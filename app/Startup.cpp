#include "app/Startup.h"

#include <QApplication>
#include <exception>
#include <memory>

#include "app/ApplicationTitle.h"
#include "app/SingleInstance.h"
#include "app/UpdateCheck.h"
#include "core/settings/IniFile.h"
#include "core/settings/SharedValues.h"
#include "ui/qt/ErrorBox.h"
#include "ui/qt/Unit1.h"
#include "ui/qt/skin/Fonts.h"
#include "ui/qt/skin/RussianTexts.h"

namespace packwell::app {

int RunStartup(int& argc, char** argv) {
    // Qt reads its own options from argv; the program reads none.
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);  // only the closing fade ends the program
    skin::InstallFontFallbacks();
    skin::InstallRussianTexts();

    return StartProgram();
}

namespace {

int StartupSequence() {
    if (ActivateRunningInstance(kMainWindowClass)) return 0;

    EnsureAppDataDir();
    {
        const IniFile manifestIni(ManifestIniPath());
        if (RunUpdateCheck(manifestIni) == UpdateOutcome::EndProgram) return 0;
    }

    // A copy that created its window while this one looked for an update wins.
    if (ActivateRunningInstance(kMainWindowClass)) return 0;

    SetApplicationTitle();
    TVantorCompatibility mainWindow;  // creates the hidden cleanup dialog with it
    const InstanceServer server(kMainWindowClass, &mainWindow);

    mainWindow.show();
    QApplication::exec();
    return 0;
}

}  // namespace

int StartProgram() {
    try {
        return StartupSequence();
    } catch (const std::exception& error) {
        ShowErrorBox(nullptr, error);
        return 1;
    }
}

}  // namespace packwell::app
