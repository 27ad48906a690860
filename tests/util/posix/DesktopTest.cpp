// Handing files to the desktop's opener, with a stand-in xdg-open on PATH.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/Desktop.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using packwell::test::readFile;
using packwell::test::TempDir;

namespace {

class DesktopOpener : public ::testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("PATH");
        oldPath_ = path ? path : "";
    }
    void TearDown() override { setenv("PATH", oldPath_.c_str(), 1); }

    // PATH holds only `folder` (and the shell's own folder, which the opener script needs).
    void OnlyOnPath(const fs::path& folder) { setenv("PATH", (folder.string() + ":/bin:/usr/bin").c_str(), 1); }

    static std::string WaitForFile(const fs::path& file) {
        for (int i = 0; i < 500 && !fs::exists(file); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the line may still be on its way
        return fs::exists(file) ? readFile(file) : std::string("(nothing)");
    }

    TempDir tmp;
    std::string oldPath_;
};

TEST_F(DesktopOpener, ProgramOpensInItsWorkingFolder) {
    const fs::path bin = tmp.root() / "bin";
    const fs::path record = tmp.root() / "opened.txt";
    tmp.write("bin/xdg-open", "#!/bin/sh\necho \"$PWD $1\" > '" + record.string() + "'\n");
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    fs::create_directories(tmp.root() / "game dir");
    OnlyOnPath(bin);

    platform::OpenProgram(tmp.root() / "game dir" / "setup's.exe", tmp.root() / "game dir");
    EXPECT_EQ(WaitForFile(record), (tmp.root() / "game dir").string() + " " +
                                       (tmp.root() / "game dir" / "setup's.exe").string() + "\n");
}

// Without an opener every way of opening says, in Russian, what to install.
TEST_F(DesktopOpener, MissingOpenerIsSaidInRussianWithWhatToInstall) {
    fs::create_directories(tmp.root() / "empty");
    setenv("PATH", (tmp.root() / "empty").c_str(), 1);
    const auto expectSaid = [](const std::function<void()>& open) {
        try {
            open();
            ADD_FAILURE() << "opened without an opener";
        } catch (const std::exception& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find("Не удалось открыть"), std::string::npos) << text;
            EXPECT_NE(text.find("xdg-utils"), std::string::npos) << text;
        }
    };
    expectSaid([&] { platform::OpenFolder(tmp.root()); });
    expectSaid([&] { platform::OpenInTextEditor(tmp.write("log.txt", "x")); });
    expectSaid([&] { platform::OpenProgram(tmp.root() / "setup.exe", tmp.root()); });
}

}  // namespace
