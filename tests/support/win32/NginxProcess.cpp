#include "tests/support/NginxProcess.h"

#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "core/Utf8Path.h"
#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;

namespace packwell::test {
namespace {

// Wine's own export: the Unix path behind a Windows one (null outside Wine).
using UnixFileName = char* (*)(const wchar_t*);

UnixFileName WineUnixFileName() {
    return reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
}

// Starts a host program through Wine; its process cannot be awaited through a handle.
void RunHostProgram(const std::string& commandLine) {
    std::wstring line = PathFromUtf8(commandLine).wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info))
        throw std::runtime_error("cannot start " + commandLine);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

// The Linux machine's nginx: the tests run under Wine, where a Windows program can start it.
std::string NginxProgram() {
    if (!WineUnixFileName()) return {};
    for (const char* p : {"Z:\\usr\\sbin\\nginx", "Z:\\usr\\bin\\nginx"})
        if (fs::exists(p)) return p;
    return {};
}

std::string NginxPath(const fs::path& path) {
    const UnixFileName convert = WineUnixFileName();
    char* unixPath = convert ? convert(fs::absolute(path).c_str()) : nullptr;
    if (!unixPath) throw std::runtime_error("no Unix path for " + Utf8FromPath(path));
    std::string result(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

// A Unix process started from Wine has no handle to wait on: nginx is known by its pid file.
long long StartNginx(const std::string& program, const std::vector<std::string>& args) {
    std::string line = Quoted(program);
    for (const std::string& a : args) line += " " + Quoted(a);
    RunHostProgram(line);
    return 1;
}

bool NginxEnded(long long) { return false; }

void StopNginx(long long, int port, const fs::path& pidFile) {
    RunHostProgram("Z:\\bin\\sh -c " + Quoted("kill $(cat '" + NginxPath(pidFile) + "')"));
    for (int i = 0; i < 500 && LoopbackPortAnswers(port); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

}  // namespace packwell::test
