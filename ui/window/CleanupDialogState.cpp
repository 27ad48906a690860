#include "ui/window/CleanupDialogState.h"

#include <exception>

#include "core/cleanup/CleanupGeometry.h"
#include "ui/window/MainWindowState.h"

namespace packwell::window {

void CleanupDialogState::FormShow() { ShowItems(FillCleanupList(main_.Lists.DeleteList, *main_.SettingsIni)); }

void CleanupDialogState::sButtonDelClick() {
    std::exception_ptr failure;
    try {
        DeleteTickedFiles(Items(), main_.VersionModsDir, main_.Lists.ListedMods, *main_.SettingsIni, main_.StatusLog);
    } catch (const std::exception&) {
        failure = std::current_exception();
    }
    HandBack();
    // The error box then shows above the window that came back.
    if (failure) main_.Guarded([&] { std::rethrow_exception(failure); });
}

bool CleanupDialogState::sGroupBox1MouseDown() const { return !main_.Animating(); }

void CleanupDialogState::HandBack() {
    main_.ReturnFromCleanup = true;
    main_.EnableWindow(true);
    main_.ShowStatusGroup();  // the full layout is the one with the status panel
    ShowMainInPlace();
    const Size screen = main_.ScreenSize();
    const MainLayouts layouts = main_.Layouts();
    const WindowRect target = HandBackTarget(screen.width, screen.height, layouts.fullWidth, layouts.actionsHeight);
    main_.AnimateWindow({.Left = target.left, .Top = target.top, .Width = target.width, .Height = target.height},
                        kLayoutSpeed, kSizeTask);
    main_.ScrollLogToEnd();
}

}  // namespace packwell::window
