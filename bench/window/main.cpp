// Usage: packwell-bench-window run <server URL> <game folder>
//        packwell-bench-window idle <seconds> <game folder>
// run: the window starts on the folder, "Проверить совместимость" then "Запуск синхронизации" with
// "Турбо" ticked, as clicks; exits 0 once the run has ended with every file fetched.
// idle: the window sits open on the folder and prints the CPU time it used meanwhile.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "core/Utf8Path.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/NestedLoop.h"

namespace fs = std::filesystem;
using packwell::win32::HandlePendingMessages;
using packwell::win32::MainWindow;

namespace {

bool PumpUntil(const std::function<bool()>& done, std::chrono::seconds bound) {
    const auto end = std::chrono::steady_clock::now() + bound;
    while (!done() && std::chrono::steady_clock::now() < end) {
        HandlePendingMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return done();
}

// The window's settings name the game folder; APPDATA is a folder of this run.
void PrepareAppData(const fs::path& game) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const fs::path appData = fs::path(temp) / ("packwell-bench-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(appData / "Quorvane" / "Packwell");
    std::ofstream(appData / "Quorvane" / "Packwell" / "Settings.ini")
        << "[Settings]\r\nGameFolder=" << packwell::Utf8FromPath(game) << "\r\nTurbo=1\r\nExtraOptions=0\r\n";
    SetEnvironmentVariableW(L"APPDATA", appData.c_str());
}

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return value(kernel) + value(user);
}

int Run(const std::string& server, MainWindow& w) {
    w.BaseUrl = server;
    const auto& c = *w.Controls();
    SendMessageW(c.sButtonCheck, BM_CLICK, 0, 0);
    if (!PumpUntil([&] { return !w.CheckRunning() && IsWindowEnabled(w.Handle()); }, std::chrono::minutes(5))) return 1;
    w.Controls()->SetChecked(c.sCheckBox1, true);
    w.Controls()->SetChecked(c.sCheckBox2, false);  // no settings program
    SendMessageW(c.sButtonDownload, BM_CLICK, 0, 0);
    // Every file is compared with the server's by the caller.
    return PumpUntil([&] { return w.Run() && w.Run()->Finished(); }, std::chrono::minutes(30)) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: packwell-bench-window run <server URL> <game folder> | idle <seconds> <game folder>\n");
        return 2;
    }
    const std::wstring mode = argv[1];
    PrepareAppData(argv[3]);
    packwell::win32::WindowServices services = packwell::win32::WindowServices::Defaults();
    services.isConnected = [] { return true; };
    services.terminate = [] {};
    MainWindow w(services);
    if (!w.Create(GetModuleHandleW(nullptr))) return 1;
    w.Show();
    // Started: the first validation has run and the window has its layout.
    if (!PumpUntil([&] { return w.StatusLog.LineCount() >= 4 && IsWindowVisible(w.Controls()->sGroupBox3); },
                   std::chrono::seconds(30)))
        return 1;
    if (mode == L"run") return Run(packwell::Utf8FromPath(fs::path(argv[2])), w);

    const int seconds = _wtoi(argv[2]);
    PumpUntil([] { return false; }, std::chrono::seconds(1));  // the start-up layout's animation ends
    const double before = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    // The program's own message loop, as a player's open window runs it, ended by a timer.
    SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.3f %.3f\n", CpuSeconds() - before, wall);
    return 0;
}
