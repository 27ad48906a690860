// A file must reach the disk before it takes a mod's name: after a power cut the check
// accepts whatever stands under the name, an empty file included. This program stands in
// for the C library's sync and rename calls, records them, and passes them on to the kernel.
#include <fcntl.h>
#include <stdio.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "Addons/Custom/AllInOne/MoveAcrossFileSystems.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

struct Event {
    enum class Kind { Synced, Named } kind;
    std::string path;  // Synced: the file; Named: the new name
    std::string from;  // Named: the old name
};

std::mutex g_mutex;
std::vector<Event> g_events;

std::string PathOf(int fd) {
    char buf[4096];
    const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

void Record(Event e) {
    std::lock_guard lock(g_mutex);
    g_events.push_back(std::move(e));
}

std::string Absolute(const char* path) { return fs::absolute(path).lexically_normal().string(); }

}  // namespace

extern "C" int fsync(int fd) {
    Record({Event::Kind::Synced, PathOf(fd), {}});
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd) {
    Record({Event::Kind::Synced, PathOf(fd), {}});
    return static_cast<int>(::syscall(SYS_fdatasync, fd));
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

// The file that took `target`'s name was synced, under its part name, before it did.
void ExpectSyncedBeforeNamed(const fs::path& target) {
    std::lock_guard lock(g_mutex);
    const std::string name = target.lexically_normal().string();
    bool named = false;
    for (std::size_t i = 0; i < g_events.size() && !named; ++i) {
        const Event& e = g_events[i];
        if (e.kind != Event::Kind::Named || e.path != name) continue;
        named = true;
        bool synced = false;
        for (std::size_t j = 0; j < i; ++j)
            synced = synced || (g_events[j].kind == Event::Kind::Synced && g_events[j].path == e.from);
        EXPECT_TRUE(synced) << e.from << " took the name " << name << " without a sync before";
    }
    EXPECT_TRUE(named) << "nothing took the name " << name;
}

class SyncBeforeName : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(mods_ / "1.12.2");
        std::lock_guard lock(g_mutex);
        g_events.clear();
    }

    test::TempDir tmp_;
    fs::path mods_ = tmp_.root() / "mods";
};

TEST_F(SyncBeforeName, DownloadedMod) {
    test::HttpServer server;
    server.serve("/mods3/a.jar", std::string(300000, 'a'));
    ASSERT_TRUE(FutureDownloads::DownloadFile(server.url("/mods3/a.jar"), mods_ / "1.12.2" / "a.jar"));
    ExpectSyncedBeforeNamed(mods_ / "1.12.2" / "a.jar");
}

TEST_F(SyncBeforeName, ModCopiedFromAnotherFileSystem) {
    const fs::path source = tmp_.write("mods/a.jar", std::string(300000, 'a'));
    ASSERT_TRUE(AllInOne::MoveAcrossFileSystems(source, mods_ / "1.12.2" / "a.jar"));
    ExpectSyncedBeforeNamed(mods_ / "1.12.2" / "a.jar");
}

}  // namespace
}  // namespace packwell
