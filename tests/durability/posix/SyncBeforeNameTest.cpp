// A file must reach the disk before it takes a mod's name: after a power cut the check
// accepts whatever stands under the name, an empty file included. This program stands in
// for the C library's write, sync and rename calls, records them, and passes them on to the
// kernel; a test may make the syncs slow, as on a disk where each costs a journal commit.
#include <fcntl.h>
#include <stdio.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/durability/SyncEvents.h"
#include "tests/sync/SyncFixture.h"

namespace fs = std::filesystem;

using packwell::test::Event;
using packwell::test::Record;

namespace {

std::atomic<int> g_syncMilliseconds{0};  // how long each sync takes on top of the real one
std::atomic<bool> g_syncfsFails{false};   // syncfs reports a failed write-back (of any file)

void SlowSync() {
    if (const int ms = g_syncMilliseconds.load()) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool IsPartFile(const std::string& path) { return path.find("/.pw-") != std::string::npos; }

std::string PathOf(int fd) {
    char buf[4096];
    const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

std::string Absolute(const char* path) { return fs::absolute(path).lexically_normal().string(); }

}  // namespace

// Recorded as the call begins: a sync covers what was written before it began.
extern "C" int fsync(int fd) {
    Record({Event::Kind::Synced, PathOf(fd), {}});
    SlowSync();
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd) {
    Record({Event::Kind::Synced, PathOf(fd), {}});
    SlowSync();
    return static_cast<int>(::syscall(SYS_fdatasync, fd));
}

extern "C" int syncfs(int fd) {
    if (g_syncfsFails) {
        errno = EIO;
        return -1;
    }
    Record({Event::Kind::SyncedAll, {}, {}});
    SlowSync();
    return static_cast<int>(::syscall(SYS_syncfs, fd));
}

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    const std::string path = PathOf(fd);
    if (IsPartFile(path)) Record({Event::Kind::Written, path, {}});
    return ::syscall(SYS_write, fd, data, size);
}

extern "C" int renameat2(int oldDir, const char* from, int newDir, const char* to, unsigned flags) __THROW {
    Record({Event::Kind::Named, Absolute(to), Absolute(from)});
    return static_cast<int>(::syscall(SYS_renameat2, oldDir, from, newDir, to, flags));
}

extern "C" int rename(const char* from, const char* to) __THROW {
    Record({Event::Kind::Named, Absolute(to), Absolute(from)});
    return static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0u));
}

extern "C" int link(const char* from, const char* to) __THROW {
    Record({Event::Kind::Named, Absolute(to), Absolute(from)});
    return static_cast<int>(::syscall(SYS_linkat, AT_FDCWD, from, AT_FDCWD, to, 0));
}

namespace packwell {
namespace {

using test::ExpectSyncedBeforeNamed;
using test::SyncCount;

// A run of many files on a disk where every sync is slow: each file is synced before it takes
// its name, each "Успешно: " line comes once it has it, and the files share syncs instead of
// waiting for one each, so the run is not bound by the disk's commit time.
class RunOnASlowDisk : public test::SyncTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        test::ClearEvents();
    }
    void TearDown() override {
        g_syncMilliseconds = 0;
        g_syncfsFails = false;
    }
};

TEST_P(RunOnASlowDisk, FilesShareSyncsAndEachIsNamedOnlyOnceSynced) {
    const bool turbo = GetParam();
    constexpr int kFiles = 30;
    std::vector<std::string> names;
    for (int k = 1; k <= kFiles; ++k) {
        names.push_back("m" + std::to_string(k) + ".jar");
        Mod(names.back(), std::string(4096, static_cast<char>('a' + k % 26)));
    }
    names.push_back("m1.jar");  // a duplicate waits for the first copy's name and then fails
    std::atomic<int> reportedBeforeNamed{0};
    g_syncMilliseconds = 200;

    SyncRun run(Request(names, turbo), log, host, WorkerBars{}, queue.Poster(),
                [&](const std::string& name, const StepResult& result) {
                    if (result.kind == StepKind::Downloaded && !InVersionMods(name)) ++reportedBeforeNamed;
                });
    RunToEnd(run);

    for (int k = 1; k <= kFiles; ++k) ExpectSyncedBeforeNamed(paths.VersionModsDir / names[k - 1]);
    EXPECT_EQ(reportedBeforeNamed.load(), 0);
    EXPECT_EQ(run.Counters().DoneCount.load(), kFiles);
    EXPECT_EQ(server.requestCount(), static_cast<std::size_t>(kFiles));
    EXPECT_EQ(Lines().back(), test::kWarningLine);
    // One sync per file would be 30; a few batches are expected. Not a timing: the disk is
    // made slow enough that the next downloads always finish during a sync.
    EXPECT_LE(SyncCount(), 10u);
}

// A sync of the whole file system that fails says nothing of a given file: each file of the
// batch is then synced on its own before it takes its name.
TEST_P(RunOnASlowDisk, AFailedSyncOfTheFileSystemFallsBackToASyncPerFile) {
    std::vector<std::string> names;
    for (int k = 1; k <= 12; ++k) {
        names.push_back("m" + std::to_string(k) + ".jar");
        Mod(names.back(), std::string(4096, 'x'));
    }
    g_syncMilliseconds = 50;
    g_syncfsFails = true;

    SyncRun run(Request(names, GetParam()), log, host, WorkerBars{}, queue.Poster());
    RunToEnd(run);

    for (const auto& name : names) ExpectSyncedBeforeNamed(paths.VersionModsDir / name);
    EXPECT_EQ(run.Counters().DoneCount.load(), 12);
}

INSTANTIATE_TEST_SUITE_P(SequentialAndTurbo, RunOnASlowDisk, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Turbo" : "Sequential"; });

}  // namespace
}  // namespace packwell
