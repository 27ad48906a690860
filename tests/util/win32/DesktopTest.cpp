// Handing a fetched program to the shell: it starts in the folder it is given.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/Desktop.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using packwell::test::readFile;
using packwell::test::TempDir;

namespace {

TEST(DesktopOpener, ProgramOpensInItsWorkingFolder) {
    TempDir tmp;
    const fs::path game = tmp.root() / "game dir";
    fs::create_directories(game);
    // A batch file stands in for the installer: it writes where it runs.
    const fs::path program = tmp.write("download/setup.bat", "@cd > where.txt\r\n");

    platform::OpenProgram(program, game);
    const fs::path record = game / "where.txt";
    for (int i = 0; i < 1000 && (!fs::exists(record) || fs::file_size(record) == 0); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(fs::exists(record)) << "the program did not run in its working folder";
    std::string where = readFile(record);
    while (!where.empty() && (where.back() == '\n' || where.back() == '\r')) where.pop_back();
    EXPECT_TRUE(fs::equivalent(fs::path(where), game)) << where;
}

}  // namespace
