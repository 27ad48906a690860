#include <windows.h>

#include "tools/packwell-sync/StopSignal.h"

namespace packwell::cli {
namespace {

// Runs on a thread of its own that Windows starts for the event.
BOOL WINAPI OnConsoleControl(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
            RequestStop();
            return TRUE;  // handled: the run ends by itself
        default:
            return FALSE;
    }
}

}  // namespace

void InstallStopSignalHandlers() { SetConsoleCtrlHandler(OnConsoleControl, TRUE); }

}  // namespace packwell::cli
