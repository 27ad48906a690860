#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "tests/support/TempDir.h"
#include "tests/util/NamedChild.h"

namespace fs = std::filesystem;
using namespace packwell::test;

namespace {

// A program whose file was replaced while it runs (an update) is still found by its name.
TEST(IsProcessRunning, FindsProcessWhoseFileWasRemoved) {
    TempDir dir;
    const std::string name = "pw" + AllInOne::RandomDigits(8) + "javaw.exe";
    NamedChild child(dir, name);
    ASSERT_TRUE(child.Started());
    fs::remove(dir.root() / name);
    EXPECT_TRUE(AllInOne::IsProcessRunning(name));
    EXPECT_FALSE(AllInOne::IsProcessRunning(name + " (deleted)"));
}

// Children of this process that have ended but were never collected.
int ZombieChildren() {
    int zombies = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        const auto close = line.rfind(')');
        if (close == std::string::npos) continue;
        char state = 0;
        int ppid = 0;
        if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && ppid == getpid() && state == 'Z')
            ++zombies;
    }
    return zombies;
}

TEST(RunCommandLine, StartsProgramWithQuotedArgumentsAndCollectsIt) {
    TempDir dir;
    AllInOne::RunCommandLine("sh -c \"echo started > 'out file.txt'\"", 5);
    const fs::path out = dir.cwd() / "out file.txt";
    ASSERT_TRUE(WaitFor([&] { return packwell::test::readFile(out) == "started\n"; }));
    EXPECT_TRUE(WaitFor([] { return ZombieChildren() == 0; }));
}

}  // namespace
