// What the check asks of the system for each listed file, seen through this program's own
// import table: one open, reads only as far as the answer needs.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <map>
#include <mutex>
#include <string>

#include "core/Utf8Path.h"
#include "core/check/CompatibilityCheck.h"
#include "core/log/StatusLog.h"
#include "platform/Sha256.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"
#include "tests/support/win32/ImportTable.h"

extern "C" {
extern decltype(&CreateFileW) __imp_CreateFileW;
extern decltype(&ReadFile) __imp_ReadFile;
}

namespace fs = std::filesystem;

namespace packwell {
namespace {

struct Calls {
    int open = 0;  // attempts, whether they found the file or not
    long long readBytes = 0;
    int reads = 0;
};

decltype(&CreateFileW) g_createFile;
decltype(&ReadFile) g_readFile;
std::mutex g_mutex;
std::map<std::wstring, Calls> g_calls;   // by the path as opened
std::map<HANDLE, std::wstring> g_paths;  // open files

HANDLE WINAPI CountingCreateFile(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                 DWORD disposition, DWORD flags, HANDLE templateFile) {
    const HANDLE h = g_createFile(name, access, share, security, disposition, flags, templateFile);
    std::lock_guard lock(g_mutex);
    const std::wstring path = fs::path(name).lexically_normal().native();
    ++g_calls[path].open;
    if (h != INVALID_HANDLE_VALUE) g_paths[h] = path;
    return h;
}

BOOL WINAPI CountingReadFile(HANDLE h, LPVOID data, DWORD size, LPDWORD read, LPOVERLAPPED overlapped) {
    const BOOL ok = g_readFile(h, data, size, read, overlapped);
    std::lock_guard lock(g_mutex);
    if (const auto it = g_paths.find(h); it != g_paths.end() && ok && read) {
        ++g_calls[it->second].reads;
        g_calls[it->second].readBytes += *read;
    }
    return ok;
}

Calls CallsOn(const fs::path& path) {
    std::lock_guard lock(g_mutex);
    return g_calls[path.lexically_normal().native()];
}

// Compressed-looking bytes whose first byte 26 lies at `at`, as in a real jar.
std::string Jar(std::size_t size, std::size_t at) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 131 + 7) % 251 == 26 ? 27 : (i * 131 + 7) % 251);
    s[at] = 26;
    return s;
}

// Runs the check with every file open and read counted from the start.
CheckOutcome CountedCheck(const CheckRequest& request, SyncLists& lists) {
    {
        std::lock_guard lock(g_mutex);
        g_calls.clear();
    }
    StatusLog log;
    test::ReplaceImport(__imp_CreateFileW, &CountingCreateFile, g_createFile);
    test::ReplaceImport(__imp_ReadFile, &CountingReadFile, g_readFile);
    const CheckOutcome outcome = RunCompatibilityCheck(log, request, lists);
    decltype(&CreateFileW) ignoredCreate;
    decltype(&ReadFile) ignoredRead;
    test::ReplaceImport(__imp_CreateFileW, g_createFile, ignoredCreate);
    test::ReplaceImport(__imp_ReadFile, g_readFile, ignoredRead);
    return outcome;
}

CheckRequest RequestFor(const test::TempDir& tmp, const test::HttpServer& server) {
    CheckRequest request;
    request.baseUrl = server.url("");
    request.manifestPath = tmp.appData() / "Update.ini";
    request.modsDir = tmp.root() / "game" / "mods";
    request.versionModsDir = request.modsDir / "1.12.2";
    request.isConnected = [] { return true; };
    return request;
}

TEST(CheckFileCalls, EachListedFileIsOpenedOnceAndReadOnlyAsFarAsTheAnswerNeeds) {
    test::TempDir tmp;
    test::HttpServer server;
    const fs::path game = tmp.root() / "game";
    const fs::path local = game / "mods" / "1.12.2";
    const std::size_t textSize = 300'000;  // several blocks, and no whole number of them
    std::string text;
    while (text.size() < textSize) text += "B:enableFeature=true\r\n";
    text.resize(textSize);
    tmp.write("game/mods/1.12.2/mod.jar", Jar(1 << 20, 700));
    tmp.write("game/mods/1.12.2/settings.cfg", text);
    tmp.write("game/mods/1.12.2/page.jar", "<html>404: Not Found</html>");
    server.serve("/Update", "[modlist]\nCount=4\nmod1=mod.jar\nmod2=settings.cfg\nmod3=page.jar\nmod4=absent.jar\n");
    SyncLists lists;
    ASSERT_EQ(CountedCheck(RequestFor(tmp, server), lists).result, CheckResult::Checked);

    const Calls jar = CallsOn(local / "mod.jar");
    EXPECT_EQ(jar.open, 1);
    EXPECT_EQ(jar.reads, 1);  // its byte 26 ends the text
    EXPECT_LE(jar.readBytes, 4096);

    const Calls settings = CallsOn(local / "settings.cfg");
    EXPECT_EQ(settings.open, 1);
    EXPECT_EQ(settings.readBytes, static_cast<long long>(textSize));  // read to its end, and only once

    EXPECT_EQ(CallsOn(local / "page.jar").open, 1);
    EXPECT_FALSE(fs::exists(local / "page.jar"));
    EXPECT_EQ(CallsOn(local / "absent.jar").open, 1);
}

// With a digest the one open reads the whole file once, for the marker test and the hash
// together; once verified and unchanged, the file is opened for its size and time and not read.
TEST(CheckFileCalls, AVerifiedFileIsReadOnceThenNotAtAll) {
    test::TempDir tmp;
    test::HttpServer server;
    const std::string content = Jar(1 << 20, 700);  // its byte 26 would end a marker test alone
    const fs::path jar = tmp.write("game/mods/1.12.2/mod.jar", content);
    fs::last_write_time(jar, std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now() -
                                                                      std::chrono::hours(1)));
    platform::Sha256 hash;
    hash.Update(content.data(), content.size());
    server.serve("/Update", "[modlist]\nCount=1\nmod1=mod.jar\nmod1sha256=" + platform::Sha256Hex(hash.Final()) + "\n");

    for (const bool first : {true, false}) {
        SCOPED_TRACE(first ? "first check" : "second check");
        SyncLists lists;
        ASSERT_EQ(CountedCheck(RequestFor(tmp, server), lists).result, CheckResult::Checked);
        EXPECT_TRUE(lists.MissingList.empty());
        const Calls calls = CallsOn(jar);
        EXPECT_EQ(calls.open, 1);
        EXPECT_EQ(calls.readBytes, first ? static_cast<long long>(content.size()) : 0);
    }
}

}  // namespace
}  // namespace packwell
