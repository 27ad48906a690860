#include "tests/support/TestSystem.h"

#include <winsock2.h>
#include <windows.h>

#include <stdexcept>
#include <vector>

#include "core/Utf8Path.h"

namespace fs = std::filesystem;

namespace packwell::test {
namespace {

std::wstring Wide(const std::string& text) { return PathFromUtf8(text).wstring(); }

sockaddr_in Loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<u_short>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

void StartWinsock() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) throw std::runtime_error("WSAStartup failed");
}

}  // namespace

fs::path MakeTempFolder(const std::string& prefix) {
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            base / PathFromUtf8(prefix + std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(GetTickCount64()) + "-" + std::to_string(attempt));
        if (CreateDirectoryW(candidate.c_str(), nullptr)) return candidate;
    }
    throw std::runtime_error("cannot create a temporary folder");
}

std::optional<std::string> GetEnv(const std::string& name) {
    const std::wstring wideName = Wide(name);
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::vector<wchar_t> buffer(size);
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), buffer.data(), size);
    return Utf8FromPath(fs::path(std::wstring(buffer.data(), length)));
}

void SetEnv(const std::string& name, const std::optional<std::string>& value) {
    // Both copies: the system's, which started programs inherit, and the C library's.
    const std::wstring wideName = Wide(name);
    const std::wstring wideValue = value ? Wide(*value) : std::wstring();
    SetEnvironmentVariableW(wideName.c_str(), value ? wideValue.c_str() : nullptr);
    _wputenv_s(wideName.c_str(), wideValue.c_str());
}

int FreeLoopbackPort() {
    StartWinsock();
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET) throw std::runtime_error("socket() failed");
    sockaddr_in a = Loopback(0);
    int len = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::closesocket(s);
    if (port == 0) throw std::runtime_error("no free port on 127.0.0.1");
    return port;
}

bool LoopbackPortAnswers(int port) {
    StartWinsock();
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET) return false;
    sockaddr_in a = Loopback(port);
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::closesocket(s);
    return ok;
}

}  // namespace packwell::test
