// Saves pictures of the native main window in each layout and skin, and of its cleanup dialog,
// for a person to look at (scripts/screenshots-windows.sh turns them into PNG files).
// Usage: win32_screenshots <output folder>. Works against a temporary home with a valid game folder.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ui/win32/CleanupDialog.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/NestedLoop.h"
#include "ui/win32/WideText.h"

namespace fs = std::filesystem;
using packwell::win32::HandlePendingMessages;
using packwell::win32::MainWindow;

namespace {

// Lets the windows handle their messages for at least `ms`, and then until none of them has
// moved for a while: a layout under way is finished before the picture.
void Settle(int ms = 300) {
    const auto places = [] {
        std::vector<RECT> all;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM list) {
                RECT r{};
                GetWindowRect(window, &r);
                reinterpret_cast<std::vector<RECT>*>(list)->push_back(r);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&all));
        return all;
    };
    const auto same = [](const std::vector<RECT>& a, const std::vector<RECT>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (!EqualRect(&a[i], &b[i])) return false;
        return true;
    };
    const auto start = std::chrono::steady_clock::now();
    auto still = start;
    auto last = places();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        HandlePendingMessages();
        Sleep(1);
        const auto now = std::chrono::steady_clock::now();
        if (auto present = places(); !same(present, last)) {
            last = std::move(present);
            still = now;
        }
        if (now - start >= std::chrono::milliseconds(ms) && now - still >= std::chrono::milliseconds(400)) return;
    }
}

// The window as the screen shows it (run it on a display: the X11 graphics driver), framed by a
// desktop colour the closing fade shows through.
void Save(HWND window, const fs::path& folder, const std::string& name, int alpha = 255) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    constexpr int kMargin = 20;
    const int outerWidth = width + 2 * kMargin;
    const int outerHeight = height + 2 * kMargin;

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), outerWidth, -outerHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, canvas);
    HBRUSH desktop = CreateSolidBrush(RGB(0x5b, 0x6e, 0x8c));
    const RECT all{0, 0, outerWidth, outerHeight};
    FillRect(dc, &all, desktop);
    DeleteObject(desktop);

    HDC windowDc = CreateCompatibleDC(screen);
    HBITMAP windowBitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldWindow = SelectObject(windowDc, windowBitmap);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    BitBlt(windowDc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
    AlphaBlend(dc, kMargin, kMargin, width, height, windowDc, 0, 0, width, height, blend);
    SelectObject(windowDc, oldWindow);
    DeleteObject(windowBitmap);
    DeleteDC(windowDc);
    ReleaseDC(nullptr, screen);

    const fs::path path = folder / (name + ".bmp");
    const DWORD imageBytes = static_cast<DWORD>(outerWidth) * static_cast<DWORD>(outerHeight) * 4;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4d42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageBytes);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    std::printf("%s\n", path.string().c_str());
}

fs::path MakeHome() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const fs::path home = fs::path(temp) / ("packwell-shots-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(home / "game" / "versions" / "1.12.2");
    fs::create_directories(home / "game" / "assets");
    fs::create_directories(home / "appdata" / "Quorvane" / "Packwell");
    std::ofstream(home / "appdata" / "Quorvane" / "Packwell" / "Settings.ini")
        << "[Settings]\r\nGameFolder=" << packwell::Utf8FromPath(home / "game") << "\r\n";
    SetEnvironmentVariableW(L"APPDATA", (home / "appdata").c_str());
    return home;
}

void ShootSkin(const fs::path& folder, const std::string& skin, const std::string& prefix) {
    packwell::win32::WindowServices services = packwell::win32::WindowServices::Defaults();
    services.terminate = [] {};
    services.gamePlatform.FindGameWindow = [] { return std::optional<platform::GameWindow>{}; };
    MainWindow w(services);
    if (!w.Create(GetModuleHandleW(nullptr))) std::exit(1);
    w.Controls()->SelectSkin(skin);
    w.Show();
    Settle();
    Save(w.Handle(), folder, prefix + "-2-actions");

    w.StatusLog.Console(1, false, "=====Проверка совместимости=====");
    w.StatusLog.Console("Соединение с сервером установлено.");
    w.StatusLog.Console(false, "Отсутствует: examplemod-1.12.2-1.0.jar\r\nВсего на сервере: 120,4 Мб.");
    for (int i = 1; i <= 16; ++i)
        w.StatusLog.Console("Успешно: a-rather-long-mod-file-name-that-needs-the-horizontal-bar-" + std::to_string(i) +
                            ".jar");
    w.sGroupBox3MouseMove();
    Settle();
    Save(w.Handle(), folder, prefix + "-3-full");

    w.ChngSize(1);
    w.BarAdapter(1)->SetMaximum(100);
    w.BarAdapter(1)->SetPosition(40);
    Settle();
    Save(w.Handle(), folder, prefix + "-4-progress-one");

    w.ChngSize(2);
    for (int i = 1; i <= 5; ++i) {
        w.BarAdapter(i)->SetMaximum(100);
        w.BarAdapter(i)->SetPosition(i * 18);
    }
    Settle();
    Save(w.Handle(), folder, prefix + "-5-progress-five");

    w.ChngSize(0);
    w.Lists.DeleteList = {"oldmod-1.12.2-0.9.jar", "journeymap-1.12.2-5.5.2.jar", "optifine-kept-by-player.jar",
                          "another-very-long-mod-file-name-that-the-server-no-longer-wants-1.12.2.jar"};
    w.SettingsIni->WriteString("Settings", "WhiteList", "optifine-kept-by-player.jar");
    fs::create_directories(w.VersionModsDir);
    for (const auto& name : w.Lists.DeleteList) std::ofstream(w.VersionModsDir / name) << "old";
    w.ShowCleanupDialog();
    Settle();
    Save(w.Cleanup()->Handle(), folder, prefix + "-6-cleanup");
    SendMessageW(w.Cleanup()->sButtonDel, BM_CLICK, 0, 0);
    Settle();
    Save(w.Handle(), folder, prefix + "-7-handed-back");

    // Six ticks into the fade, as the closing timer runs them.
    PostMessageW(w.Handle(), WM_CLOSE, 0, 0);
    const auto bound = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    MSG message;
    while (w.AlphaBlendValue() > 255 - 6 * 17 && std::chrono::steady_clock::now() < bound) {
        // One message at a time, so the picture is taken at the tick it waits for.
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(1);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    const int alpha = w.AlphaBlendValue();
    // Shown opaque for the picture: the screen's copy would be blended twice.
    SetLayeredWindowAttributes(w.Handle(), 0, 255, LWA_ALPHA);
    Save(w.Handle(), folder, prefix + "-8-closing", alpha);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::current_path();
    fs::create_directories(folder);
    const fs::path home = MakeHome();
    SetCursorPos(0, 0);  // over no control: a hint would cover the picture
    {
        // The compact layout: before the first tick validates the folder.
        MainWindow w;
        fs::rename(home / "game", home / "game.away");
        if (!w.Create(GetModuleHandleW(nullptr))) return 1;
        w.Show();
        Settle();
        Save(w.Handle(), folder, "emerald-1-compact");
        w.Controls()->SelectSkin("Material Dark (internal)");
        Settle();
        Save(w.Handle(), folder, "material-dark-1-compact");
        fs::rename(home / "game.away", home / "game");
    }
    ShootSkin(folder, "Emerald (internal)", "emerald");
    ShootSkin(folder, "Material Dark (internal)", "material-dark");
    std::error_code ignored;
    fs::remove_all(home, ignored);
    return 0;
}
