#include <windows.h>

#include <stdexcept>

#include "core/Utf8Path.h"
#include "tests/support/Program.h"

namespace packwell::test {
namespace {

// One argument as the C runtime splits a command line: quoted, with backslashes doubled
// before a quote.
std::wstring Quoted(const std::wstring& arg) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

// The test passes its own console's control events over, so that the one it sends reaches
// only the program.
BOOL WINAPI PassOver(DWORD) { return TRUE; }

// Programs started here share a console of the test's own: Wine sends control events only
// within a console it made itself, not one it inherited from a pipe.
void OwnConsole() {
    static const bool done = [] {
        FreeConsole();
        AllocConsole();
        SetConsoleCtrlHandler(PassOver, TRUE);
        return true;
    }();
    (void)done;
}

HANDLE InheritableFile(const std::filesystem::path& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition, 0, nullptr);
}

}  // namespace

StartedProgram::StartedProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                               const std::filesystem::path& out, const std::filesystem::path& err) {
    OwnConsole();
    std::wstring commandLine = Quoted(program.wstring());
    for (const auto& a : args) commandLine += L" " + Quoted(PathFromUtf8(a).wstring());
    const HANDLE input = InheritableFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE output = InheritableFile(out, GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE error = InheritableFile(err, GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    PROCESS_INFORMATION info{};
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &info);
    for (const HANDLE h : {input, output, error}) CloseHandle(h);
    if (!started) throw std::runtime_error("cannot start " + Utf8FromPath(program));
    CloseHandle(info.hThread);
    process_ = reinterpret_cast<long long>(info.hProcess);
}

StartedProgram::~StartedProgram() {
    Wait();
    CloseHandle(reinterpret_cast<HANDLE>(process_));
}

// Ctrl+C for both: Wine generates no other control event (Ctrl+Break and the console's closing
// reach the program's handler as Ctrl+C does).
void StartedProgram::RequestStop(Stop) { GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0); }

void StartedProgram::Kill() {
    if (!waited_) TerminateProcess(reinterpret_cast<HANDLE>(process_), 137);
}

std::optional<int> StartedProgram::Wait() {
    if (waited_) return exitCode_;
    const HANDLE process = reinterpret_cast<HANDLE>(process_);
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    waited_ = true;
    exitCode_ = static_cast<int>(code);
    return exitCode_;
}

}  // namespace packwell::test
