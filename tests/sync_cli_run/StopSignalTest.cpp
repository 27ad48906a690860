// Ctrl+C or a termination request at any moment of packwell-sync, the manifest fetch included:
// the program ends by itself, with its usual exit status, and leaves no part file behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/Utf8Path.h"
#include "tests/support/HttpServer.h"
#include "tests/support/Program.h"
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
    test::StartedProgram::Stop stop;  // Ctrl+C, or a termination request
    int exitCode;  // 2: the check could not run; 1: a mod is still missing
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.what; }

class StopSignal : public ::testing::TestWithParam<StopCase> {
protected:
    void SetUp() override {
        fs::create_directories(game_ / "versions" / "1.12.2");
        fs::create_directories(game_ / "assets");
    }

    // Starts the program with its output in files.
    std::unique_ptr<test::StartedProgram> Start(const std::string& runOption) {
        const std::vector<std::string> args = {runOption, "--server", server_.url(""), "--game-dir", Utf8FromPath(game_)};
        return std::make_unique<test::StartedProgram>(PACKWELL_SYNC_BINARY, args, tmp_.root() / "out.txt",
                                                      tmp_.root() / "err.txt");
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

    const auto program = Start(c.runOption);
    WaitForRequest(c.stalledPath);
    program->RequestStop(c.stop);
    const std::optional<int> exitCode = program->Wait();

    ASSERT_TRUE(exitCode.has_value()) << "ended by the signal itself, not by the program\n"
                                      << test::readFile(tmp_.root() / "err.txt");
    EXPECT_EQ(*exitCode, c.exitCode) << test::readFile(tmp_.root() / "err.txt");
    for (const fs::path& folder : {tmp_.appData() / "Quorvane" / "Packwell", game_ / "mods", game_ / "mods" / "1.12.2"})
        EXPECT_THAT(test::listDir(folder), Not(Contains(StartsWith(".")))) << folder;  // no hidden part file
    EXPECT_FALSE(fs::exists(game_ / "mods" / "1.12.2" / "a.jar"));
}

constexpr auto Interrupt = test::StartedProgram::Stop::Interrupt;
constexpr auto Terminate = test::StartedProgram::Stop::Terminate;

INSTANTIATE_TEST_SUITE_P(
    Moments, StopSignal,
    ::testing::Values(StopCase{"Ctrl+C during the manifest fetch", "--check-only", "/Update", Interrupt, 2},
                      StopCase{"termination during the manifest fetch of a run", "--turbo", "/Update", Terminate, 2},
                      StopCase{"Ctrl+C during a sequential download", "--no-turbo", "/mods3/a.jar", Interrupt, 1},
                      StopCase{"termination during a Turbo download", "--turbo", "/mods3/a.jar", Terminate, 1}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace packwell
