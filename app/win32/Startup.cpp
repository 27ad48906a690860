#include "app/win32/Startup.h"

#include <exception>

#include "app/win32/SingleInstance.h"
#include "app/UpdateDialogs.h"
#include "core/Utf8Path.h"
#include "core/settings/SharedValues.h"
#include "core/update/SelfUpdate.h"
#include "ui/win32/MainWindow.h"

namespace packwell::app::win32 {

namespace {

using packwell::win32::kMainWindowClass;
using packwell::win32::MainWindow;

int MessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

int StartupSequence(HINSTANCE instance) {
    if (ActivateRunningInstance(kMainWindowClass)) return 0;

    EnsureAppDataDir();
    if (StartupUpdateEndsProgram(AppDataDir(), *MakeUpdateDialogs())) return 0;

    // A copy that created its window while this one looked for an update wins.
    if (ActivateRunningInstance(kMainWindowClass)) return 0;

    MainWindow mainWindow;
    if (!mainWindow.Create(instance)) return 1;
    mainWindow.Show();
    return MessageLoop();
}

}  // namespace

int RunProgram(HINSTANCE instance) {
    try {
        return StartupSequence(instance);
    } catch (const std::exception& error) {
        MessageBoxW(nullptr, PathFromUtf8(error.what()).c_str(), nullptr, MB_OK | MB_ICONERROR);
        return 1;
    }
}

}  // namespace packwell::app::win32
