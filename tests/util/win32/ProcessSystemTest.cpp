#include <gtest/gtest.h>

#include <windows.h>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/Utf8Path.h"
#include "tests/support/TempDir.h"
#include "tests/util/NamedChild.h"

namespace fs = std::filesystem;
using namespace packwell::test;

namespace {

// A running program's file cannot be deleted on Windows; an update renames it aside. The
// process is still found by the name it was started with.
TEST(IsProcessRunning, FindsProcessWhoseFileWasRenamed) {
    TempDir dir;
    const std::string name = "pw" + AllInOne::RandomDigits(8) + "javaw.exe";
    NamedChild child(dir, name);
    ASSERT_TRUE(child.Started());
    fs::rename(dir.root() / name, dir.root() / (name + ".old"));
    EXPECT_TRUE(AllInOne::IsProcessRunning(name));
}

// The command line reaches the program whole and wide: a quoted program path with a blank and
// a quoted argument in Cyrillic.
TEST(RunCommandLine, StartsProgramWithQuotedWideArguments) {
    TempDir dir;
    const fs::path program = dir.root() / "test program.exe";
    fs::copy_file(TEST_PROGRAM, program);
    AllInOne::RunCommandLine("\"" + packwell::Utf8FromPath(program) + "\" \"вывод файла.txt\"", SW_HIDE);
    const fs::path out = dir.cwd() / packwell::PathFromUtf8("вывод файла.txt");
    EXPECT_TRUE(WaitFor([&] { return readFile(out) == "started\n"; }));
}

}  // namespace
