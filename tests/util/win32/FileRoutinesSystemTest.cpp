#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "Addons/Custom/AllInOne/MoveAcrossFileSystems.h"
#include "platform/PartFile.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using packwell::test::listDir;
using packwell::test::readFile;
using packwell::test::TempDir;

namespace {

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

// Wine's drive Z: is the Linux root; its /dev/shm is a file system of its own, so the
// volumes differ and a rename cannot do the move.
TEST(MoveFileReplacing, MovesAcrossVolumes) {
    TempDir dir;
    const fs::path other = fs::path(L"Z:\\dev\\shm") / ("packwell-move-" + AllInOne::RandomDigits(12));
    ASSERT_TRUE(fs::create_directory(other));
    const fs::path source = dir.write("A", std::string(100000, 'x'));
    const fs::path target = other / "B";
    dir.write("probe", "");
    const bool sameVolume = MoveFileExW((dir.root() / "probe").c_str(), (other / "probe").c_str(), 0);
    const DWORD why = GetLastError();
    {
        std::ofstream(target) << "old";
    }
    const bool moved = AllInOne::MoveFileReplacing(source, target, false);
    const std::string content = readFile(target);
    fs::remove_all(other);
    ASSERT_FALSE(sameVolume);
    ASSERT_EQ(why, static_cast<DWORD>(ERROR_NOT_SAME_DEVICE));
    EXPECT_TRUE(moved);
    EXPECT_FALSE(fs::exists(source));
    EXPECT_EQ(content, std::string(100000, 'x'));
}

// The copy that stands in for a rename across volumes, cut short halfway: here a read the
// system refuses (another program locked that part of the file), as a failing disk would. No
// short file may stand under the mod's name, for the check would accept it for good, and no
// part file may stay.
TEST(MoveAcrossFileSystems, CopyCutShortLeavesNoFileUnderTheName) {
    TempDir dir;
    const std::string content(600000, 'm');
    const fs::path source = dir.write("mods/a.jar", content);
    const fs::path target = dir.root() / "mods" / "1.12.2" / "a.jar";
    fs::create_directories(target.parent_path());
    Handle locker(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(locker.get(), INVALID_HANDLE_VALUE);
    OVERLAPPED from300k{};
    from300k.Offset = 300000;
    ASSERT_TRUE(LockFileEx(locker.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 100000, 0, &from300k));
    EXPECT_FALSE(AllInOne::MoveAcrossFileSystems(source, target));
    EXPECT_FALSE(fs::exists(target));
    EXPECT_TRUE(listDir(target.parent_path()).empty()) << "no part file left";
    UnlockFileEx(locker.get(), 0, 100000, 0, &from300k);
    EXPECT_EQ(readFile(source), content);
}

// The part file is hidden from the player and the folder checks while it is written; the mod
// under its real name must not inherit that mark.
TEST(PartFile, IsHiddenWhileWrittenAndAPlainFileOnceNamed) {
    TempDir dir;
    const fs::path target = dir.root() / "a.jar";
    platform::PartFile part(target);
    ASSERT_TRUE(part.IsOpen()) << part.Error();
    EXPECT_NE(GetFileAttributesW(part.Path().c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    ASSERT_TRUE(part.Write("jar", 3));
    ASSERT_EQ(part.Commit(), platform::PartFile::CommitResult::Done) << part.Error();
    const DWORD attributes = GetFileAttributesW(target.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(readFile(target), "jar");
    EXPECT_EQ(listDir(dir.root()), (std::vector<std::string>{"a.jar", "appdata", "cwd"}));
}

// A file another program holds open for itself exists but cannot be read: an error, not a size.
TEST(LocalFileSize, ThrowsForFileHeldByAnotherProgram) {
    TempDir dir;
    const fs::path file = dir.write("locked.jar", "12345");
    Handle holder(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    EXPECT_THROW(AllInOne::LocalFileSize(file), std::system_error);
}

}  // namespace
