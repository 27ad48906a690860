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
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        dir.root().c_str(), &startup, &process_->info))
        process_->info = {};
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
