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

std::optional<std::string> TextEditorCommandLine(const std::filesystem::path& file) {
    std::error_code ec;
    const bool here = file.parent_path() == std::filesystem::current_path(ec);
    return "notepad.exe \"" + Utf8Name(here ? file.filename() : file) + "\"";
}

std::string TextForTheEditor(std::string_view utf8) {
    const std::wstring wide = Widen(utf8);
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, bytes.data(), n, nullptr, nullptr);
    return bytes;
}

void OpenFolder(const std::filesystem::path& folder) { Shell(L"explore", folder); }

void OpenProgram(const std::filesystem::path& file, const std::filesystem::path& workingDir) {
    // An installer that cannot start shows the shell's own message; nothing of ours follows.
    ShellExecuteW(nullptr, L"open", std::filesystem::absolute(file).c_str(), nullptr, workingDir.c_str(), SW_SHOWNORMAL);
}

}  // namespace platform
