#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <fstream>
#include <system_error>
#include <thread>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "Addons/Custom/AllInOne/CommandLine.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace fs = std::filesystem;
using packwell::test::TempDir;

namespace {

// A real process whose executable has the given file name: a copy of sleep.
class NamedChild {
public:
    NamedChild(const TempDir& dir, const std::string& name) {
        const fs::path exe = dir.root() / name;
        fs::copy_file("/bin/sleep", exe);
        std::string path = exe.string(), seconds = "60";
        char* argv[] = {path.data(), seconds.data(), nullptr};
        if (posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv, environ) != 0) pid_ = 0;
    }
    ~NamedChild() { Stop(); }
    bool Started() const { return pid_ > 0; }
    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }

private:
    pid_t pid_ = 0;
};

struct ProcessCase {
    const char* executable;  // after a unique prefix
    const char* query;       // after the same prefix
    bool running;
};

class IsProcessRunningTable : public testing::TestWithParam<ProcessCase> {};

TEST_P(IsProcessRunningTable, MatchesExecutableNamePrefix) {
    TempDir dir;
    const std::string prefix = "pw" + AllInOne::RandomDigits(8);
    NamedChild child(dir, prefix + GetParam().executable);
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(AllInOne::IsProcessRunning(prefix + GetParam().query), GetParam().running);
    child.Stop();
    EXPECT_FALSE(AllInOne::IsProcessRunning(prefix + GetParam().query)) << "ended process still found";
}

INSTANTIATE_TEST_SUITE_P(Cases, IsProcessRunningTable,
                         testing::Values(ProcessCase{"javaw.exe", "javaw.exe", true},
                                         ProcessCase{"JAVAW.EXE", "javaw.exe", true},
                                         ProcessCase{"javaw.exe.old", "javaw.exe", true},
                                         ProcessCase{"java", "javaw.exe", false},        // shorter name
                                         ProcessCase{"ЯВА.exe", "ява.exe", false},       // only A-Z fold
                                         ProcessCase{"ява.exe", "ява.exe", true}));

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

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 500; ++i) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
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

TEST(RunCommandLine, ReportsProgramThatCannotStart) {
    try {
        AllInOne::RunCommandLine("pw-no-such-program-4711 \"arg\"", 5);
        FAIL() << "no error";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code().value(), ENOENT);
    }
    EXPECT_THROW(AllInOne::RunCommandLine("   ", 5), std::system_error);
}

struct SplitCase {
    const char* line;
    std::vector<std::string> args;
};

class SplitCommandLineTable : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTable, SplitsLikeWindows) {
    EXPECT_EQ(AllInOne::SplitCommandLine(GetParam().line), GetParam().args) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTable,
    testing::Values(SplitCase{"notepad.exe \"Packwell - Статус.txt\"", {"notepad.exe", "Packwell - Статус.txt"}},
                    SplitCase{"  a \t  b  ", {"a", "b"}}, SplitCase{"\"a b\"c d", {"a bc", "d"}},
                    SplitCase{R"(C:\dir\a.exe x)", {R"(C:\dir\a.exe)", "x"}}, SplitCase{R"(a\"b)", {"a\"b"}},
                    SplitCase{R"(a\\"b c")", {R"(a\b c)"}}, SplitCase{R"("a""b")", {"a\"b"}},
                    SplitCase{"x \"\"", {"x", ""}}, SplitCase{"", {}}));

}  // namespace
