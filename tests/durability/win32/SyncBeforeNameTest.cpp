// A file must reach the disk before it takes a mod's name: after a power cut the check
// accepts whatever stands under the name, an empty file included. This program puts recording
// stand-ins into its own import table for the system's create, write, flush and rename calls
// and passes each call on.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "tests/durability/SyncEvents.h"
#include "tests/support/TempDir.h"
#include "tests/support/win32/ImportTable.h"
#include "tests/sync/SyncFixture.h"

namespace fs = std::filesystem;
using packwell::test::Event;
using packwell::test::EventPath;
using packwell::test::Record;

// The import table entries the program's calls go through.
extern "C" {
extern decltype(&CreateFileW) __imp_CreateFileW;
extern decltype(&WriteFile) __imp_WriteFile;
extern decltype(&FlushFileBuffers) __imp_FlushFileBuffers;
extern decltype(&SetFileInformationByHandle) __imp_SetFileInformationByHandle;
extern decltype(&MoveFileExW) __imp_MoveFileExW;
}

namespace {

decltype(&CreateFileW) g_createFile;
decltype(&WriteFile) g_writeFile;
decltype(&FlushFileBuffers) g_flush;
decltype(&SetFileInformationByHandle) g_setInformation;
decltype(&MoveFileExW) g_move;

std::mutex g_handlesMutex;
std::map<HANDLE, std::string> g_handles;  // open files by the path they were opened under

std::string PathOf(HANDLE h) {
    std::lock_guard lock(g_handlesMutex);
    const auto it = g_handles.find(h);
    return it == g_handles.end() ? std::string() : it->second;
}

std::string Absolute(const wchar_t* path) { return EventPath(fs::absolute(path)); }

HANDLE WINAPI RecordingCreateFile(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                  DWORD disposition, DWORD flags, HANDLE templateFile) {
    const HANDLE h = g_createFile(name, access, share, security, disposition, flags, templateFile);
    if (h != INVALID_HANDLE_VALUE) {
        std::lock_guard lock(g_handlesMutex);
        g_handles[h] = Absolute(name);
    }
    return h;
}

BOOL WINAPI RecordingWriteFile(HANDLE h, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    if (const std::string path = PathOf(h); !path.empty()) Record({Event::Kind::Written, path, {}});
    return g_writeFile(h, data, size, written, overlapped);
}

BOOL WINAPI RecordingFlush(HANDLE h) {
    const BOOL ok = g_flush(h);
    if (ok) Record({Event::Kind::Synced, PathOf(h), {}});
    return ok;
}

BOOL WINAPI RecordingSetInformation(HANDLE h, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID info, DWORD size) {
    if (kind == FileRenameInfo) {
        const auto* rename = static_cast<const FILE_RENAME_INFO*>(info);
        const std::wstring to(rename->FileName, rename->FileNameLength / sizeof(wchar_t));
        Record({Event::Kind::Named, Absolute(to.c_str()), PathOf(h)});
    }
    return g_setInformation(h, kind, info, size);
}

BOOL WINAPI RecordingMove(LPCWSTR from, LPCWSTR to, DWORD flags) {
    Record({Event::Kind::Named, Absolute(to), Absolute(from)});
    return g_move(from, to, flags);
}

// Installed once, before any test runs, for the program's whole life.
[[maybe_unused]] const bool g_installed = [] {
    packwell::test::ReplaceImport(__imp_CreateFileW, &RecordingCreateFile, g_createFile);
    packwell::test::ReplaceImport(__imp_WriteFile, &RecordingWriteFile, g_writeFile);
    packwell::test::ReplaceImport(__imp_FlushFileBuffers, &RecordingFlush, g_flush);
    packwell::test::ReplaceImport(__imp_SetFileInformationByHandle, &RecordingSetInformation, g_setInformation);
    packwell::test::ReplaceImport(__imp_MoveFileExW, &RecordingMove, g_move);
    return true;
}();

}  // namespace

namespace packwell {
namespace {

using test::ExpectSyncedBeforeNamed;

// Windows has no sync of a whole file system that a user may make cheaply: in a run of many
// files each is flushed on its own before it takes its name, and each "Успешно: " line comes
// once it has it.
class RunOfManyFiles : public test::SyncTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override { test::ClearEvents(); }
};

TEST_P(RunOfManyFiles, EachFileIsNamedOnlyOnceFlushed) {
    constexpr int kFiles = 20;
    std::vector<std::string> names;
    for (int k = 1; k <= kFiles; ++k) {
        names.push_back("m" + std::to_string(k) + ".jar");
        Mod(names.back(), std::string(4096, static_cast<char>('a' + k % 26)));
    }
    std::atomic<int> reportedBeforeNamed{0};
    SyncRun run(Request(names, GetParam()), log, host, WorkerBars{}, queue.Poster(),
                [&](const std::string& name, const StepResult& result) {
                    if (result.kind == StepKind::Downloaded && !InVersionMods(name)) ++reportedBeforeNamed;
                });
    RunToEnd(run);

    for (const auto& name : names) ExpectSyncedBeforeNamed(paths.VersionModsDir / name);
    EXPECT_EQ(reportedBeforeNamed.load(), 0);
    EXPECT_EQ(run.Counters().DoneCount.load(), kFiles);
}

INSTANTIATE_TEST_SUITE_P(SequentialAndTurbo, RunOfManyFiles, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Turbo" : "Sequential"; });

}  // namespace
}  // namespace packwell
