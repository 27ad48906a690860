#include "platform/Desktop.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/SystemError.h"
#include "platform/win32/WideText.h"

namespace platform {
namespace {

void Shell(const wchar_t* verb, const std::filesystem::path& target) {
    const std::filesystem::path full = std::filesystem::absolute(target);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, verb, full.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // 32 and below are errors, some of them old codes that GetLastError also reports.
    if (result <= 32) ThrowLastError("cannot open " + Utf8Name(full));
}

}  // namespace

void OpenInTextEditor(const std::filesystem::path& file) { Shell(L"open", file); }

void OpenFolder(const std::filesystem::path& folder) { Shell(L"explore", folder); }

void OpenProgram(const std::filesystem::path& file, const std::filesystem::path& workingDir) {
    // An installer that cannot start shows the shell's own message; nothing of ours follows.
    ShellExecuteW(nullptr, L"open", std::filesystem::absolute(file).c_str(), nullptr, workingDir.c_str(), SW_SHOWNORMAL);
}

}  // namespace platform
