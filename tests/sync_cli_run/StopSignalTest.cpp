// Ctrl+C or a termination request at any moment of packwell-sync, the manifest fetch included:
// the program ends by itself, with its usual exit status, and leaves no part file behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

using ::testing::Contains;
using ::testing::Not;
using ::testing::StartsWith;

struct StopCase {
    const char* what;
    const char* runOption;    // how the run goes, should it get that far
    const char* stalledPath;  // where the server stops sending, and the signal comes
    int signal;
    int exitCode;  // 2: the check could not run; 1: a mod is still missing
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.what; }

class StopSignal : public ::testing::TestWithParam<StopCase> {
protected:
    void SetUp() override {
        fs::create_directories(game_ / "versions" / "1.12.2");
        fs::create_directories(game_ / "assets");
    }

    // Starts the program with its output in files; returns its process id.
    pid_t Start(const std::string& runOption) {
        const std::vector<std::string> args = {PACKWELL_SYNC_BINARY, runOption, "--server", server_.url(""),
                                               "--game-dir", game_.string()};
        const std::string out = (tmp_.root() / "out.txt").string(), err = (tmp_.root() / "err.txt").string();
        const pid_t pid = fork();
        if (pid == 0) {
            ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
            ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
            std::vector<char*> argv;
            for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            _exit(127);
        }
        return pid;
    }

    // Waits (without a time limit of its own: ctest's ends a hang) until the path was asked for.
    void WaitForRequest(const std::string& path) const {
        for (;;) {
            for (const auto& r : server_.requests())
                if (r.path == path) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    test::TempDir tmp_;
    test::HttpServer server_;
    fs::path game_ = tmp_.root() / "game";
};

TEST_P(StopSignal, EndsCleanlyWithoutPartFiles) {
    const StopCase& c = GetParam();
    server_.serve("/Update", "[modlist]\nCount=1\nmod1=a.jar\nmod1size=100000\n");
    server_.serveStall("/mods3/a.jar", 100000, std::string(1000, 'a'));
    if (std::string(c.stalledPath) == "/Update") server_.serveStall("/Update", 100000, "[modlist]\n");

    const pid_t pid = Start(c.runOption);
    ASSERT_GT(pid, 0);
    WaitForRequest(c.stalledPath);
    ASSERT_EQ(::kill(pid, c.signal), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);

    ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself, not by the program: " << status << "\n"
                                   << test::readFile(tmp_.root() / "err.txt");
    EXPECT_EQ(WEXITSTATUS(status), c.exitCode) << test::readFile(tmp_.root() / "err.txt");
    for (const fs::path& folder : {tmp_.appData() / "Quorvane" / "Packwell", game_ / "mods", game_ / "mods" / "1.12.2"})
        EXPECT_THAT(test::listDir(folder), Not(Contains(StartsWith(".")))) << folder;  // no hidden part file
    EXPECT_FALSE(fs::exists(game_ / "mods" / "1.12.2" / "a.jar"));
}

INSTANTIATE_TEST_SUITE_P(
    Moments, StopSignal,
    ::testing::Values(StopCase{"Ctrl+C during the manifest fetch", "--check-only", "/Update", SIGINT, 2},
                      StopCase{"termination during the manifest fetch of a run", "--turbo", "/Update", SIGTERM, 2},
                      StopCase{"Ctrl+C during a sequential download", "--no-turbo", "/mods3/a.jar", SIGINT, 1},
                      StopCase{"termination during a Turbo download", "--turbo", "/mods3/a.jar", SIGTERM, 1}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace packwell
