#include <gtest/gtest.h>

#include <fstream>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "Addons/Custom/AllInOne/MoveAcrossFileSystems.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using packwell::test::listDir;
using packwell::test::readFile;
using packwell::test::TempDir;

namespace {

struct MoveCase {
    const char* name;
    bool sourceExists, targetExists, failIfExists;
    bool result;
    const char* sourceAfter;  // nullptr: no file
    const char* targetAfter;
};

class MoveFileReplacingTable : public testing::TestWithParam<MoveCase> {};

TEST_P(MoveFileReplacingTable, MovesOrLeavesBothAlone) {
    const MoveCase& c = GetParam();
    TempDir dir;
    const fs::path a = dir.root() / "A", b = dir.root() / "B";
    if (c.sourceExists) dir.write("A", "new");
    if (c.targetExists) dir.write("B", "old");
    EXPECT_EQ(AllInOne::MoveFileReplacing(a, b, c.failIfExists), c.result);
    EXPECT_EQ(fs::exists(a), c.sourceAfter != nullptr);
    if (c.sourceAfter) {
        EXPECT_EQ(readFile(a), c.sourceAfter);
    }
    EXPECT_EQ(fs::exists(b), c.targetAfter != nullptr);
    if (c.targetAfter) {
        EXPECT_EQ(readFile(b), c.targetAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoveFileReplacingTable,
    testing::Values(MoveCase{"ReplacesTarget", true, true, false, true, nullptr, "new"},
                    MoveCase{"KeepsTargetWhenAsked", true, true, true, false, "new", "old"},
                    MoveCase{"MovesToFreeName", true, false, true, true, nullptr, "new"},
                    // No source: the existing target must not be deleted for a move that cannot happen.
                    MoveCase{"NoSourceKeepsTarget", false, true, false, false, nullptr, "old"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MoveAcrossFileSystems, MovesWholeAndNeverOverAFile) {
    TempDir dir;
    const fs::path source = dir.write("mods/a.jar", std::string(300000, 'a'));
    const fs::path target = dir.root() / "mods" / "1.12.2" / "a.jar";
    fs::create_directories(target.parent_path());
    ASSERT_TRUE(AllInOne::MoveAcrossFileSystems(source, target));
    EXPECT_EQ(readFile(target), std::string(300000, 'a'));
    EXPECT_FALSE(fs::exists(source));

    const fs::path second = dir.write("mods/b.jar", "new");
    const fs::path taken = dir.write("mods/1.12.2/b.jar", "there first");
    EXPECT_FALSE(AllInOne::MoveAcrossFileSystems(second, taken));
    EXPECT_EQ(readFile(taken), "there first");
    EXPECT_EQ(readFile(second), "new");
    EXPECT_EQ(listDir(target.parent_path()), (std::vector<std::string>{"a.jar", "b.jar"})) << "no part file left";
}

TEST(LocalFileSize, MeasuresFilesAndGivesZeroWhenMissing) {
    TempDir dir;
    EXPECT_EQ(AllInOne::LocalFileSize(dir.root() / "missing.jar"), 0);
    EXPECT_EQ(AllInOne::LocalFileSize(dir.write("empty.jar", "")), 0);
    EXPECT_EQ(AllInOne::LocalFileSize(dir.write("five.jar", "12345")), 5);
    const fs::path big = dir.root() / "sparse.jar";
    {
        std::ofstream(big) << "x";
    }
    fs::resize_file(big, 5'000'000'000LL);  // sparse: measured, never read
    EXPECT_EQ(AllInOne::LocalFileSize(big), 5'000'000'000LL);
    // A folder in the path that is a file: no such file either.
    EXPECT_EQ(AllInOne::LocalFileSize(dir.root() / "five.jar" / "x"), 0);
}

TEST(LocalFileSize, ThrowsForFolder) {
    TempDir dir;
    EXPECT_THROW(AllInOne::LocalFileSize(dir.root()), std::system_error);
}

}  // namespace
