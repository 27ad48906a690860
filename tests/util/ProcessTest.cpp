#include <gtest/gtest.h>

#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "Addons/Custom/AllInOne/CommandLine.h"
#include "tests/util/NamedChild.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using packwell::test::NamedChild;
using packwell::test::TempDir;

namespace {

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

TEST(RunCommandLine, ReportsProgramThatCannotStart) {
    try {
        AllInOne::RunCommandLine("pw-no-such-program-4711 \"arg\"", 5);
        FAIL() << "no error";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), std::errc::no_such_file_or_directory);
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
