#include "platform/Processes.h"

#include <windows.h>
#include <tlhelp32.h>

#include "platform/win32/CommandLineText.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/WideText.h"

namespace fs = std::filesystem;

namespace platform {

std::vector<std::string> RunningExecutableNames() {
    std::vector<std::string> names;
    OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid()) return names;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        if (entry.szExeFile[0]) names.push_back(Narrow(entry.szExeFile));
    return names;
}

void SpawnDetached(const std::vector<std::string>& argv) {
    if (argv.empty() || argv.front().empty())
        throw std::system_error(ERROR_INVALID_PARAMETER, std::system_category(), "no program to start");
    StartProcess(JoinCommandLine(argv), StartOptions{});
}

fs::path OwnExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) ThrowLastError("cannot find the program's own file");
        if (n < path.size()) {
            path.resize(n);
            return fs::path(path);
        }
        path.resize(path.size() * 2);  // cut short: a longer path than MAX_PATH
    }
}

std::optional<std::string> ShortFileName(const std::filesystem::path& file) {
    const DWORD need = GetShortPathNameW(file.c_str(), nullptr, 0);
    if (need == 0) return std::nullopt;
    std::wstring shortPath(need, L'\0');
    const DWORD got = GetShortPathNameW(file.c_str(), shortPath.data(), need);
    if (got == 0 || got >= need) return std::nullopt;
    shortPath.resize(got);
    const std::wstring name = fs::path(shortPath).filename().native();
    // A volume without short names hands back the long one: no help then.
    if (name == file.filename().native()) return std::nullopt;
    return Narrow(name);
}

}  // namespace platform
