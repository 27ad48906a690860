#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "Addons/Custom/AllInOne/ReplaceScript.h"
#include "tests/support/TempDir.h"
#include "tests/util/NamedChild.h"
#include "tests/util/ReplaceNames.h"

namespace fs = std::filesystem;
using AllInOne::ReplaceNames;
using namespace packwell::test;

namespace {

// Runs the written script the way the program starts it, from another current directory,
// and waits for the program it starts.
class ShellScriptRun : public testing::Test {
protected:
    fs::path folder() const { return dir_.root() / "program folder"; }
    void Run(const ReplaceNames& names) {
        const fs::path script = AllInOne::WriteReplaceScript(folder(), names);
        EXPECT_EQ(script, folder() / "delete.sh");
        ASSERT_EQ(std::system(("/bin/sh '" + script.string() + "'").c_str()), 0);
    }
    bool WaitForMarker() const {
        return WaitFor([&] { return fs::exists(folder() / "started"); });
    }

    TempDir dir_;
};

TEST_F(ShellScriptRun, SwapsProgramInItsOwnFolderAndStartsIt) {
    dir_.write("program folder/Packwell.exe", "old program");
    dir_.write("program folder/Packwell Brenvik v1.2.7.exe", "stale copy");
    dir_.write("program folder/01234567890123456789.exe", "#!/bin/sh\necho yes > started\n");
    dir_.write("program folder/kept.txt", "other");
    Run(kNames);
    ASSERT_TRUE(WaitForMarker()) << "new program not started in its folder";
    EXPECT_EQ(listDir(folder()), (std::vector<std::string>{"Packwell Brenvik v1.2.7.exe", "kept.txt", "started"}));
    EXPECT_EQ(readFile(folder() / "Packwell Brenvik v1.2.7.exe"), "#!/bin/sh\necho yes > started\n");
    EXPECT_TRUE(listDir(dir_.cwd()).empty()) << "the current directory must not be touched";
}

// Without the new copy the old program must survive, or the player is left with none.
TEST_F(ShellScriptRun, KeepsOldProgramWhenNewCopyIsMissing) {
    dir_.write("program folder/Packwell.exe", "old program");
    Run(kNames);
    EXPECT_EQ(listDir(folder()), std::vector<std::string>{"Packwell.exe"});
}

// Whatever step fails, the folder keeps a program that runs: the old one, or the new one
// under its name.
TEST_F(ShellScriptRun, ExchangeNeverLeavesTheFolderWithoutAProgram) {
    const std::string newProgram = "#!/bin/sh\necho yes > started\n";
    const struct {
        const char* what;
        ReplaceNames names;
        std::function<void()> prepare;
        std::vector<std::string> after;
        const char* program;  // the name that must hold a program afterwards
        std::string content;
    } cases[] = {
        {"a folder holds the new name", kNames,
         [&] { dir_.write("program folder/Packwell Brenvik v1.2.7.exe/inside", "x"); },
         {"Packwell Brenvik v1.2.7.exe", "Packwell.exe"}, "Packwell.exe", "old program"},
        {"the new name is longer than a file name may be", {"Packwell.exe", std::string(300, 'n'), kNames.TempName},
         [] {}, {"Packwell.exe"}, "Packwell.exe", "old program"},
        {"the program already has the new name", {kNames.NewName, kNames.NewName, kNames.TempName},
         [] {}, {"Packwell Brenvik v1.2.7.exe", "started"}, "Packwell Brenvik v1.2.7.exe", newProgram},
    };
    for (const auto& c : cases) {
        fs::remove_all(folder());
        fs::permissions(dir_.write("program folder/" + c.names.OwnName, "old program"), fs::perms::owner_exec,
                        fs::perm_options::add);
        dir_.write("program folder/" + c.names.TempName, newProgram);
        c.prepare();

        Run(c.names);
        if (c.after.back() == "started") {
            ASSERT_TRUE(WaitForMarker()) << c.what;
        }
        EXPECT_EQ(listDir(folder()), c.after) << c.what;
        EXPECT_EQ(readFile(folder() / c.program), c.content) << c.what;
        EXPECT_NE(fs::status(folder() / c.program).permissions() & fs::perms::owner_exec, fs::perms::none) << c.what;
    }
}

}  // namespace
