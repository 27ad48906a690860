#include "platform/win32/CommandLineText.h"

#include "platform/win32/SystemError.h"
#include "platform/win32/WideText.h"

namespace platform {
namespace {

void AppendQuoted(std::wstring& line, const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += arg;
        return;
    }
    line += L'"';
    for (std::size_t i = 0;; ++i) {
        std::size_t backslashes = 0;
        while (i < arg.size() && arg[i] == L'\\') ++i, ++backslashes;
        if (i == arg.size()) {
            line.append(backslashes * 2, L'\\');  // doubled: the closing quote stays a quote
            break;
        }
        if (arg[i] == L'"') {
            line.append(backslashes * 2 + 1, L'\\');
        } else {
            line.append(backslashes, L'\\');
        }
        line += arg[i];
    }
    line += L'"';
}

}  // namespace

std::wstring JoinCommandLine(const std::vector<std::string>& argv) {
    std::wstring line;
    for (const std::string& arg : argv) {
        if (!line.empty()) line += L' ';
        AppendQuoted(line, Widen(arg));
    }
    return line;
}

void StartProcess(std::wstring commandLine, const StartOptions& options) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (options.Show) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = *options.Show;
    }
    PROCESS_INFORMATION info{};
    const wchar_t* folder = options.Folder.empty() ? nullptr : options.Folder.c_str();
    // CreateProcessW may write into the command line: it gets its own copy.
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        options.Flags | CREATE_UNICODE_ENVIRONMENT, nullptr, folder, &startup, &info))
        ThrowLastError("cannot start " + Narrow(commandLine));
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

}  // namespace platform
