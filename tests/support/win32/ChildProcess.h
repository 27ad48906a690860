#pragma once
// A program a test starts beside itself; ended and closed when this goes out of scope, so no
// program outlives a failed test.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace packwell::test {

class ChildProcess {
public:
    // Runs in `folder` when one is given, else in the test's current directory.
    ChildProcess(const std::filesystem::path& program, const std::wstring& arguments,
                 const std::filesystem::path& folder = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    int pid() const { return static_cast<int>(info_.dwProcessId); }
    bool running() const;
    // The exit code once it has ended within `limit`.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds limit) const;

private:
    PROCESS_INFORMATION info_{};
};

}  // namespace packwell::test
