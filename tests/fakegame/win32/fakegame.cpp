// fakegame CLASS TITLE [--ignore-close] [--log FILE] [--hold FILE]
// Opens one window of window class CLASS titled TITLE and runs its message loop. A close
// request (WM_CLOSE) is written to FILE as a line "close" and ends the program (exit code 0)
// unless --ignore-close. --hold keeps FILE open as Java holds a jar it loaded: others may read
// it, nobody may delete or change it.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

bool ignoreClose = false;
std::wstring logPath;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CLOSE:
            if (!logPath.empty()) {
                if (FILE* log = _wfopen(logPath.c_str(), L"ab")) {
                    std::fputs("close\n", log);
                    std::fclose(log);
                }
            }
            if (!ignoreClose) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, w, l);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: fakegame CLASS TITLE [--ignore-close] [--log FILE]\n", stderr);
        return 2;
    }
    for (int i = 3; i < argc; ++i) {
        if (!std::wcscmp(argv[i], L"--ignore-close")) ignoreClose = true;
        else if (!std::wcscmp(argv[i], L"--log") && i + 1 < argc) logPath = argv[++i];
        else if (!std::wcscmp(argv[i], L"--hold") && i + 1 < argc &&
                 CreateFileW(argv[++i], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr) ==
                     INVALID_HANDLE_VALUE)
            return 4;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = argv[1];
    if (!RegisterClassW(&windowClass)) return 3;
    if (!CreateWindowW(argv[1], argv[2], WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, nullptr,
                       windowClass.hInstance, nullptr))
        return 3;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
