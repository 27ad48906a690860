// Two builds of the update check with different versions: the old one, started from its own
// folder, finds the new one announced, fetches it, and hands over to the exchange script, which
// replaces it and starts the new one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace packwell::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

// Waits until `done` holds, up to ten seconds.
template <typename Done>
bool WaitFor(Done done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

TEST(SelfUpdateEndToEnd, OldProgramIsReplacedByTheAnnouncedOneWhichThenStarts) {
    TempDir temp;
    HttpServer server;
    server.serve("/Update", "[Update]\nlastversion=2.0-new\n");
    server.serve("/Update-linux", readFile(NEW_PROBE));

    const fs::path folder = temp.root() / "prog";
    fs::create_directories(folder);
    fs::copy_file(OLD_PROBE, folder / "packwell");
    const fs::path log = temp.root() / "probe.log";
    setenv("PACKWELL_PROBE_LOG", log.c_str(), 1);
    setenv("PACKWELL_PROBE_BASE_URL", server.url("").c_str(), 1);

    const std::string command = "cd '" + folder.string() + "' && ./packwell";
    ASSERT_EQ(std::system(command.c_str()), 0);

    ASSERT_TRUE(WaitFor([&] { return readFile(log).find("outcome 1") != std::string::npos; })) << readFile(log);
    const std::string notes = readFile(log);
    EXPECT_THAT(notes, HasSubstr("started 1.0-old\nbox 0 Packwell Brenvik 2.0-new\n"));
    // The new copy compares its own version, finds it equal and shows nothing.
    EXPECT_THAT(notes, HasSubstr("started 2.0-new\noutcome 1\n"));

    ASSERT_TRUE(WaitFor([&] { return listDir(folder).size() == 1; })) << ::testing::PrintToString(listDir(folder));
    EXPECT_THAT(listDir(folder), ElementsAre("Packwell Brenvik v2.0-new"));
    EXPECT_TRUE(readFile(folder / "Packwell Brenvik v2.0-new") == readFile(NEW_PROBE)) << "not the announced program";
    EXPECT_THAT(listDir(temp.appData() / "Quorvane" / "Packwell"), ElementsAre("Update.ini"));

    unsetenv("PACKWELL_PROBE_LOG");
    unsetenv("PACKWELL_PROBE_BASE_URL");
}

}  // namespace
}  // namespace packwell::test
