#include "tests/util/NamedChild.h"

#include <windows.h>

#include "core/Utf8Path.h"

namespace packwell::test {

struct NamedChild::Process {
    PROCESS_INFORMATION info{};
};

// The program is named explicitly: the command line alone would add ".exe" to a name without it.
NamedChild::NamedChild(const TempDir& dir, const std::string& name) : process_(std::make_unique<Process>()) {
    const std::filesystem::path exe = dir.root() / PathFromUtf8(name);
    std::filesystem::copy_file(TEST_PROGRAM, exe);
    std::wstring line = L"\"" + exe.native() + L"\" --sleep";
    // Its standard handles go nowhere: under Wine a child otherwise holds the test's own output
    // pipe, and a child that lingers after its end keeps CTest waiting on that pipe.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nowhere = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nowhere;
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        dir.root().c_str(), &startup, &process_->info))
        process_->info = {};
    if (nowhere != INVALID_HANDLE_VALUE) CloseHandle(nowhere);
}

NamedChild::~NamedChild() {
    Stop();
}

bool NamedChild::Started() const { return process_->info.hProcess != nullptr; }

void NamedChild::Stop() {
    if (!process_->info.hProcess) return;
    TerminateProcess(process_->info.hProcess, 1);
    WaitForSingleObject(process_->info.hProcess, INFINITE);
    CloseHandle(process_->info.hProcess);
    CloseHandle(process_->info.hThread);
    process_->info = {};
}

}  // namespace packwell::test
