// Packwell.exe as a player starts it: its window, a second copy, and what the file carries.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BuildConfig.h"
#include "tests/support/TempDir.h"
#include "tests/support/win32/ChildProcess.h"
#include "tests/support/win32/OtherWindows.h"
#include "tests/support/win32/ScopedRegistryValue.h"
#include "ui/win32/LayeredAlpha.h"
#include "ui/win32/MainWindow.h"

namespace {

using namespace packwell;
using namespace std::chrono_literals;
namespace fs = std::filesystem;
using ::testing::HasSubstr;
using test::ControlWithText;
using test::Eventually;

const fs::path kProgram = PACKWELL_EXE;           // the shipped file
const fs::path kTestProgram = PACKWELL_TEST_EXE;  // the same program for a test machine

std::vector<HWND> MainWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM list) {
            wchar_t name[64];
            if (GetClassNameW(window, name, 64) && std::wstring(name) == win32::kMainWindowClass)
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A function of Windows 10 that the headers for Windows 7 leave out; null where it is missing.
template <typename Function>
Function User32(const char* name) {
    // Through a generic function pointer: FARPROC's own type says nothing of the real one.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int Width(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

class PackwellProgram : public ::testing::Test {
protected:
    static void SetUpTestSuite() { driver_ = std::make_unique<test::NullGraphicsDriver>(); }
    static void TearDownTestSuite() { driver_.reset(); }

    void SetUp() override { ASSERT_TRUE(MainWindows().empty()) << "a Packwell is running already"; }
    // A program the test leaves running is ended by its ChildProcess; none may stay under Wine.
    void TearDown() override {
        for (HWND window : MainWindows()) PostMessageW(window, WM_CLOSE, 0, 0);
    }

    std::unique_ptr<test::ChildProcess> Start() {
        auto program = std::make_unique<test::ChildProcess>(kTestProgram, L"");
        EXPECT_TRUE(program->started());
        return program;
    }

    // The main window once it is shown (it is created hidden, then placed and shown).
    static HWND WaitForMainWindow() {
        HWND window = nullptr;
        Eventually([&] {
            window = FindWindowW(win32::kMainWindowClass, nullptr);
            return window && IsWindowVisible(window);
        });
        return window;
    }

    test::TempDir temp;  // the program's APPDATA
    static std::unique_ptr<test::NullGraphicsDriver> driver_;
};

std::unique_ptr<test::NullGraphicsDriver> PackwellProgram::driver_;

TEST_F(PackwellProgram, ShowsTheCompactOpaqueWindowCentredAndEndsOnClose) {
    auto program = Start();
    HWND window = WaitForMainWindow();
    ASSERT_TRUE(window && IsWindowVisible(window));

    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 406);
    EXPECT_EQ(client.bottom, 133);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 406) << "no border or caption of the system's";
    EXPECT_EQ(outer.bottom - outer.top, 133);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(outer.left, work.left + (work.right - work.left - 406) / 2);
    EXPECT_EQ(outer.top, work.top + (work.bottom - work.top - 133) / 2);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(win32::WindowAlpha(window), std::optional<BYTE>(255));
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"Packwell v1.2.6 - Brenvik 1.12.2");
    EXPECT_TRUE(fs::is_directory(temp.appData() / "Quorvane" / "Packwell")) << "the data folder was not made";
    // The controls: the folder group shown, the actions group hidden until a valid folder.
    HWND folderButton = ControlWithText(window, L"Указать");
    ASSERT_TRUE(folderButton);
    EXPECT_TRUE(IsWindowVisible(folderButton));
    EXPECT_EQ(Width(folderButton), 369);
    HWND actions = ControlWithText(window, L"Действия");
    ASSERT_TRUE(actions);
    EXPECT_FALSE(IsWindowVisible(actions));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program->waitForExit(30s), std::optional<DWORD>(0));
    EXPECT_TRUE(MainWindows().empty());
}

TEST_F(PackwellProgram, ScalesItsSizeWithTheScreensDotsPerInch) {
    const DWORD dpi = 144;
    const test::ScopedRegistryValue logPixels(L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    // The window's own pixels, not those Windows scales for a program unaware of the DPI.
    const auto setThreadAwareness =
        User32<DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT)>("SetThreadDpiAwarenessContext");
    ASSERT_TRUE(setThreadAwareness);
    const DPI_AWARENESS_CONTEXT oldAwareness = setThreadAwareness(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);

    auto program = Start();
    HWND window = WaitForMainWindow();
    ASSERT_TRUE(window);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 609);   // 406 * 1.5
    EXPECT_EQ(client.bottom, 200);  // 133 * 1.5, rounded
    EXPECT_EQ(Width(ControlWithText(window, L"Указать")), 554);  // 369 * 1.5, rounded
    setThreadAwareness(oldAwareness);
}

TEST_F(PackwellProgram, ASecondCopyRestoresTheFirstAndEndsWithoutAWindow) {
    auto first = Start();
    HWND window = WaitForMainWindow();
    ASSERT_TRUE(window);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(Eventually([&] { return IsIconic(window) != FALSE; }));

    auto second = Start();
    EXPECT_EQ(second->waitForExit(30s), std::optional<DWORD>(0));
    EXPECT_TRUE(Eventually([&] { return !IsIconic(window); })) << "the running copy stayed minimised";
    EXPECT_EQ(MainWindows(), std::vector<HWND>{window});
    EXPECT_TRUE(first->running());
}

// The file as Windows reads it, loaded as data.
class ProgramFile : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module_);
    }
    void TearDown() override { FreeLibrary(module_); }

    std::string Resource(const wchar_t* type, int id) const {
        HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (!found) return {};
        const void* data = LockResource(LoadResource(module_, found));
        return std::string(static_cast<const char*>(data), SizeofResource(module_, found));
    }
    // The image as mapped: its data directories address it by relative addresses.
    const BYTE* Image() const { return reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module_) & ~3); }

    HMODULE module_ = nullptr;
};

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return L"<none>";
    return value;
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

TEST_F(ProgramFile, VersionResourceCarriesTheConfiguredVersion) {
    const DWORD size = GetFileVersionInfoSizeW(kProgram.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(kProgram.c_str(), 0, size, info.data()));
    EXPECT_EQ(VersionString(info, L"FileVersion"), Wide(build::kCurrentVersion));
    EXPECT_EQ(VersionString(info, L"ProductVersion"), Wide(PACKWELL_PRODUCT_VERSION));
    EXPECT_EQ(VersionString(info, L"ProductName"), L"Packwell");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    unsigned n[4] = {0, 0, 0, 0};
    std::sscanf(build::kCurrentVersion, "%u.%u.%u.%u", &n[0], &n[1], &n[2], &n[3]);
    EXPECT_EQ(fixed->dwFileVersionMS, (n[0] << 16) | n[1]);
    EXPECT_EQ(fixed->dwFileVersionLS, (n[2] << 16) | n[3]);
}

TEST_F(ProgramFile, ManifestAndIconAreEmbedded) {
    const std::string manifest = Resource(RT_MANIFEST, 1);
    EXPECT_THAT(manifest, HasSubstr("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_THAT(manifest, HasSubstr("PerMonitorV2"));
    EXPECT_THAT(manifest, HasSubstr("true/pm"));
    EXPECT_THAT(manifest, HasSubstr("level=\"asInvoker\""));

    const std::string icons = Resource(RT_GROUP_ICON, 1);
    ASSERT_GE(icons.size(), 6u);
    EXPECT_EQ(reinterpret_cast<const WORD*>(icons.data())[2], 3) << "16, 32 and 48 px";
}

// One file for the self-update to exchange: every library it needs is part of Windows.
TEST_F(ProgramFile, ImportsOnlySystemLibrariesAndStaysSmall) {
    EXPECT_LT(fs::file_size(kProgram), 8u << 20);

    const BYTE* image = Image();
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + reinterpret_cast<const IMAGE_DOS_HEADER*>(image)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(imports.VirtualAddress, 0u);
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    int count = 0;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image + imports.VirtualAddress); entry->Name;
         ++entry, ++count) {
        const std::string name = reinterpret_cast<const char*>(image + entry->Name);
        EXPECT_TRUE(fs::exists(fs::path(system) / name)) << name << " is not a system library";
    }
    EXPECT_GT(count, 0);
}

}  // namespace
