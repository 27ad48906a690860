#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "Addons/Custom/AllInOne/MoveAcrossFileSystems.h"
#include "tests/support/DropFileOverride.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using packwell::test::readFile;
using packwell::test::TempDir;

namespace {

// /dev/shm is a file system of its own on Linux, so rename cannot do this move.
TEST(MoveFileReplacing, MovesAcrossFileSystems) {
    TempDir dir;
    std::string pattern = "/dev/shm/packwell-move-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path other = pattern;
    struct stat here{}, there{};
    ASSERT_EQ(stat(dir.root().c_str(), &here), 0);
    ASSERT_EQ(stat(other.c_str(), &there), 0);
    const fs::path source = dir.write("A", std::string(100000, 'x'));
    const fs::path target = other / "B";
    {
        std::ofstream(target) << "old";
    }
    const bool moved = AllInOne::MoveFileReplacing(source, target, false);
    const std::string content = readFile(target);
    fs::remove_all(other);
    if (here.st_dev == there.st_dev) GTEST_SKIP() << "/dev/shm is on the same file system here";
    EXPECT_TRUE(moved);
    EXPECT_FALSE(fs::exists(source));
    EXPECT_EQ(content, std::string(100000, 'x'));
}

// The copy that stands in for a rename across file systems, called directly so the test
// needs no second file system. A process killed halfway through the copy (here by the
// file-size limit's signal, which a full disk or Ctrl+C would be in real life) must leave no
// short file under the mod's name: the check would accept it for good.
TEST(MoveAcrossFileSystems, KilledHalfwayLeavesNoFileUnderTheName) {
    TempDir dir;
    const std::string content(400000, 'm');
    const fs::path source = dir.write("mods/a.jar", content);
    const fs::path target = dir.root() / "mods" / "1.12.2" / "a.jar";
    fs::create_directories(target.parent_path());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit noCore{0, 0}, small{100000, 100000};
        setrlimit(RLIMIT_CORE, &noCore);
        setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_DFL);
        AllInOne::MoveAcrossFileSystems(source, target);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the copy must be cut off: " << status;
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(readFile(source), content);
}

TEST(LocalFileSize, ThrowsForUnreadableFile) {
    TempDir dir;
    const fs::path file = dir.write("locked.jar", "12345");
    fs::permissions(file, fs::perms::none);
    const packwell::test::DropFileOverride asPlayer;  // root would read it anyway
    EXPECT_THROW(AllInOne::LocalFileSize(file), std::system_error);
}

}  // namespace
