// The floor under packwell-sync.exe under Wine: the same work as a Turbo run of N small files, done
// with bare Windows calls and no code of ours, piece by piece. Prints seconds per piece.
//   packwell-bench-wine-floor PORT COUNT FOLDER
// The server on 127.0.0.1:PORT serves /mods3/mod1.jar .. modCOUNT.jar; FOLDER is an empty folder.
#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void Report(const char* piece, int count, const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("  %-58s %7.3f s  %6.3f ms/file\n", piece, seconds, seconds * 1000 / count);
}

// One GET of the whole body; into `file` when given. False on any failure.
bool Fetch(HINTERNET connection, int number, HANDLE file, std::vector<char>& buffer) {
    const std::wstring path = L"/mods3/mod" + std::to_wstring(number) + L".jar";
    constexpr DWORD kFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION;
    HINTERNET request = HttpOpenRequestW(connection, L"GET", path.c_str(), nullptr, nullptr, nullptr, kFlags, 0);
    if (!request) return false;
    bool ok = HttpSendRequestW(request, nullptr, 0, nullptr, 0) != FALSE;
    DWORD got = 0, written = 0;
    while (ok && (ok = InternetReadFile(request, buffer.data(), static_cast<DWORD>(buffer.size()), &got)) && got)
        if (file) ok = WriteFile(file, buffer.data(), got, &written, nullptr) && written == got;
    InternetCloseHandle(request);
    return ok;
}

// A file as the sync writes it: a new hidden part file, the body, flushed, renamed without replace.
bool WriteLikeTheSync(const std::wstring& folder, const std::wstring& name, const std::function<bool(HANDLE)>& body) {
    const std::wstring part = folder + L"\\." + name + L".part";
    HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = body(file) && FlushFileBuffers(file);
    CloseHandle(file);
    return ok && MoveFileExW(part.c_str(), (folder + L"\\" + name).c_str(), 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: packwell-bench-wine-floor PORT COUNT FOLDER\n");
        return 2;
    }
    const auto port = static_cast<INTERNET_PORT>(std::wcstoul(argv[1], nullptr, 10));
    const int count = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    const std::wstring folder = argv[3];
    constexpr int kWorkers = 5;
    std::vector<char> buffer(64 * 1024, 'x');
    std::atomic<bool> ok = true;
    const auto note = [&ok](bool done) {
        if (!done) ok = false;
    };

    std::printf("Wine's floor for %d files (bare Windows calls, no code of ours):\n", count);
    Report("a thread started and joined per file", count, [&] {
        for (int i = 0; i < count; ++i) std::thread([] {}).join();
    });
    Report("64 KiB written as the sync writes a file (one thread)", count, [&] {
        for (int i = 0; i < count; ++i)
            note(WriteLikeTheSync(folder, L"w" + std::to_wstring(i), [&](HANDLE file) {
                DWORD written = 0;
                return WriteFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &written, nullptr) != FALSE;
            }));
    });
    HINTERNET internet = InternetOpenW(L"packwell-bench", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    const auto connect = [&] {
        return InternetConnectW(internet, L"127.0.0.1", port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    };
    Report("WinINet GET into memory, one connection", count, [&] {
        HINTERNET connection = connect();
        for (int i = 1; i <= count; ++i) note(Fetch(connection, i, nullptr, buffer));
        InternetCloseHandle(connection);
    });
    Report("5 threads, a connection each, GET into files as the sync", count, [&] {
        std::vector<std::thread> workers;
        for (int k = 0; k < kWorkers; ++k)
            workers.emplace_back([&, k] {
                std::vector<char> own(buffer.size());
                HINTERNET connection = connect();
                for (int i = 1 + k; i <= count; i += kWorkers)
                    note(WriteLikeTheSync(folder, L"mod" + std::to_wstring(i) + L".jar",
                                          [&](HANDLE file) { return Fetch(connection, i, file, own); }));
                InternetCloseHandle(connection);
            });
        for (auto& w : workers) w.join();
    });
    InternetCloseHandle(internet);
    if (!ok) std::fprintf(stderr, "some request or file failed: the figures are not valid\n");
    return ok ? 0 : 1;
}
