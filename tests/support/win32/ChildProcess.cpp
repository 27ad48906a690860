#include "tests/support/win32/ChildProcess.h"

namespace packwell::test {

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::wstring& arguments,
                           const std::filesystem::path& folder) {
    std::wstring line = L"\"" + program.native() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info_))
        info_ = {};
}

ChildProcess::~ChildProcess() {
    if (!info_.hProcess) return;
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, INFINITE);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool ChildProcess::running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::waitForExit(std::chrono::milliseconds limit) const {
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

}  // namespace packwell::test
