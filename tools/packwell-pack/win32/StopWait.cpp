#include "tools/packwell-pack/StopWait.h"

#include <windows.h>

namespace packwell::pack {
namespace {

// Manual reset: once set it stays set. Created before the handler is installed.
HANDLE g_stopEvent = nullptr;

// Runs on a thread of its own that Windows starts for the event.
BOOL WINAPI OnConsoleControl(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
            SetEvent(g_stopEvent);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

StopWait::StopWait() {
    g_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopWait::~StopWait() {
    SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    CloseHandle(g_stopEvent);
    g_stopEvent = nullptr;
}

void StopWait::Wait() { WaitForSingleObject(g_stopEvent, INFINITE); }

}  // namespace packwell::pack
