#include "tests/selfupdate/ProgramFolder.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <set>

#include "core/Utf8Path.h"
#include "tests/support/win32/ChildProcess.h"
#include "tests/support/win32/ScopedRegistryValue.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace packwell::test {
namespace {

// Windows names files without regard to letter case or the kind of slash.
std::wstring Comparable(std::wstring path) {
    for (wchar_t& c : path) c = c == L'/' ? L'\\' : static_cast<wchar_t>(std::towlower(c));
    return path;
}

struct Running {
    DWORD pid;
    fs::path program;
};

std::vector<Running> ProcessesRunningFrom(const fs::path& folder) {
    std::vector<Running> found;
    const std::wstring prefix = Comparable(folder.native() + L"\\");
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (!process) continue;
        wchar_t image[MAX_PATH * 2];
        DWORD size = MAX_PATH * 2;
        DWORD code = 0;
        // An ended process whose handle someone still holds is no longer running from there.
        if (GetExitCodeProcess(process, &code) && code == STILL_ACTIVE &&
            QueryFullProcessImageNameW(process, 0, image, &size) && Comparable(image).starts_with(prefix))
            found.push_back({entry.th32ProcessID, fs::path(image)});
        CloseHandle(process);
    }
    CloseHandle(snapshot);
    return found;
}

std::set<DWORD> Pids(const std::vector<Running>& processes) {
    std::set<DWORD> pids;
    for (const Running& p : processes) pids.insert(p.pid);
    return pids;
}

}  // namespace

std::shared_ptr<void> HiddenScreen() { return std::make_shared<NullGraphicsDriver>(); }

int RunProgramIn(const fs::path& folder, const std::string& name, const fs::path&) {
    const ChildProcess program(folder / PathFromUtf8(name), L"", folder);
    const std::optional<DWORD> code = program.waitForExit(60s);
    return code ? static_cast<int>(*code) : -1;
}

std::vector<fs::path> ProgramsRunningFrom(const fs::path& folder) {
    std::vector<fs::path> programs;
    for (const Running& p : ProcessesRunningFrom(folder)) programs.push_back(p.program);
    return programs;
}

// A window program is asked by closing its windows, each once: one that has only just started
// shows its window later.
bool EndProgramsRunningFrom(const fs::path& folder) {
    struct Asking {
        std::set<DWORD> pids;
        std::set<HWND> asked;
    } asking;
    const auto askOnce = [&] {
        asking.pids = Pids(ProcessesRunningFrom(folder));
        EnumWindows(
            [](HWND window, LPARAM data) {
                auto& a = *reinterpret_cast<Asking*>(data);
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                if (a.pids.contains(pid) && a.asked.insert(window).second) PostMessageW(window, WM_CLOSE, 0, 0);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&asking));
        return asking.pids.empty();
    };
    if (WaitFor(askOnce)) return true;
    for (const Running& p : ProcessesRunningFrom(folder)) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, p.pid)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 10000);
            CloseHandle(process);
        }
    }
    return false;
}

bool ProgramWindowsAreUp(const fs::path&) {
    HWND window = FindWindowW(L"TVantorCompatibility", nullptr);
    return window && IsWindowVisible(window);
}

}  // namespace packwell::test
