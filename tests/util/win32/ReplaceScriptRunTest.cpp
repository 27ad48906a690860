#include <gtest/gtest.h>

#include <stdexcept>

#include <windows.h>

#include "Addons/Custom/AllInOne/ReplaceScript.h"
#include "core/Utf8Path.h"
#include "tests/support/TempDir.h"
#include "tests/util/NamedChild.h"
#include "tests/util/ReplaceNames.h"

namespace fs = std::filesystem;
using AllInOne::ReplaceNames;
using packwell::PathFromUtf8;
using namespace packwell::test;

namespace {

// The batch names the files in the code page its first line selects: UTF-8 bytes there would
// name other files ("РџР°РєРµС‚.exe").
TEST(ReplaceScript, BatchIsWrittenInWindows1251) {
    TempDir dir;
    const fs::path script = AllInOne::WriteReplaceScript(dir.root(), {"Пакет.exe", "Новый.exe", "123.exe"});
    EXPECT_EQ(script, dir.root() / "delete.bat");
    const std::string bytes = readFile(script);
    EXPECT_NE(bytes.find("del \"\xCF\xE0\xEA\xE5\xF2.exe\"\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("Пакет"), std::string::npos);
    // A name the code page cannot spell is refused before anything is written.
    EXPECT_THROW(AllInOne::WriteReplaceScript(dir.root(), {"Пакет.exe", "日本.exe", "124.exe"}), std::invalid_argument);
    EXPECT_EQ(readFile(script), bytes);
}

// Runs the written script the way the program starts it (cmd.exe, hidden, in its folder) and
// waits until it has deleted itself.
class BatchRun : public testing::Test {
protected:
    fs::path folder() const { return dir_.root() / PathFromUtf8(folderName_); }
    void Run(const ReplaceNames& names) {
        const fs::path script = AllInOne::WriteReplaceScript(folder(), names);
        AllInOne::StartReplaceScript(script);
        ASSERT_TRUE(WaitFor([&] { return !fs::exists(script); })) << "the script did not finish";
    }

    TempDir dir_;
    std::string folderName_ = "program folder";
};

// ASCII names here: Wine's cmd.exe reads a batch in the OEM code page whatever chcp selects,
// where Windows follows chcp; the names' bytes are checked above.
TEST_F(BatchRun, SwapsProgramInItsOwnFolderAndStartsIt) {
    const ReplaceNames& names = kNames;
    dir_.write("program folder/Packwell.exe", "old program");
    dir_.write(PathFromUtf8("program folder/" + names.NewName), "stale copy");
    fs::copy_file(TEST_PROGRAM, folder() / names.TempName);
    dir_.write("program folder/kept.txt", "other");
    Run(names);
    ASSERT_TRUE(WaitFor([&] { return readFile(folder() / "started") == "started\n"; }))
        << "new program not started in its folder";
    EXPECT_EQ(listDir(folder()), (std::vector<std::string>{names.NewName, "kept.txt", "started"}));
    EXPECT_EQ(readFile(folder() / PathFromUtf8(names.NewName)), readFile(TEST_PROGRAM));
    EXPECT_TRUE(listDir(dir_.cwd()).empty()) << "the current directory must not be touched";
}

// The old program's file may still be held when the script starts (the program still ending, a
// virus scanner reading it): the script waits for it rather than leave it beside the new one.
TEST_F(BatchRun, WaitsWhileTheOldProgramIsStillHeld) {
    const ReplaceNames& names = kNames;
    const fs::path old = dir_.write("program folder/Packwell.exe", "old program");
    fs::copy_file(TEST_PROGRAM, folder() / names.TempName);
    HANDLE held = CreateFileW(old.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const fs::path script = AllInOne::WriteReplaceScript(folder(), names);
    AllInOne::StartReplaceScript(script);
    ASSERT_TRUE(WaitFor([&] { return fs::exists(folder() / PathFromUtf8(names.NewName)); })) << "no rename";
    Sleep(2000);
    EXPECT_TRUE(fs::exists(script)) << "the script gave up on the held program at once";
    CloseHandle(held);
    ASSERT_TRUE(WaitFor([&] { return !fs::exists(script); })) << "the script did not finish";
    ASSERT_TRUE(WaitFor([&] { return readFile(folder() / "started") == "started\n"; }));
    EXPECT_EQ(listDir(folder()), (std::vector<std::string>{names.NewName, "started"}));
}

// A program name the batch's code page cannot spell is named by its 8.3 short name, and the
// exchange replaces that very file.
TEST_F(BatchRun, ProgramNamedOutsideTheCodePageIsExchangedByItsShortName) {
    folderName_ = "short names";
    const fs::path self = dir_.write(PathFromUtf8("short names/日本.exe"), "old program");
    fs::copy_file(TEST_PROGRAM, folder() / kNames.TempName);
    const auto names = AllInOne::ScriptNamesFor(self, kNames.NewName, kNames.TempName);
    ASSERT_TRUE(names) << "no short name for the program";
    EXPECT_EQ(names->OwnName.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789~_.-"), std::string::npos)
        << names->OwnName;
    Run(*names);
    ASSERT_TRUE(WaitFor([&] { return readFile(folder() / "started") == "started\n"; }));
    EXPECT_EQ(listDir(folder()), (std::vector<std::string>{kNames.NewName, "started"}));
}

// Without the new copy the old program must survive, or the player is left with none.
TEST_F(BatchRun, KeepsOldProgramWhenNewCopyIsMissing) {
    dir_.write("program folder/Packwell.exe", "old program");
    Run(kNames);
    EXPECT_EQ(listDir(folder()), std::vector<std::string>{"Packwell.exe"});
    EXPECT_EQ(readFile(folder() / "Packwell.exe"), "old program");
}

// Whatever step fails, the folder keeps a program: the old one, or the new one under its name.
// (A folder under the new name is left out here: the batch's start line opens it in Explorer.)
TEST_F(BatchRun, ExchangeNeverLeavesTheFolderWithoutAProgram) {
    const std::string newProgram = readFile(TEST_PROGRAM);
    const struct {
        const char* what;
        ReplaceNames names;
        std::vector<std::string> after;
        std::string program;  // the name that must hold a program afterwards
        std::string content;
    } cases[] = {
        {"the program already has the new name and the copy is missing", {kNames.NewName, kNames.NewName, "missing.exe"},
         {kNames.NewName}, kNames.NewName, "old program"},
        // The copy that could not be renamed goes: the next start looks for an update anew.
        {"the new name is longer than a file name may be", {"Packwell.exe", std::string(300, 'n'), kNames.TempName},
         {"Packwell.exe"}, "Packwell.exe", "old program"},
        {"the program already has the new name", {kNames.NewName, kNames.NewName, kNames.TempName},
         {kNames.NewName, "started"}, kNames.NewName, newProgram},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folderName_ = c.what;  // a folder each: cmd.exe may not have left the last one yet
        dir_.write(PathFromUtf8(folderName_ + "/" + c.names.OwnName), "old program");
        if (c.names.TempName != "missing.exe") fs::copy_file(TEST_PROGRAM, folder() / PathFromUtf8(c.names.TempName));

        Run(c.names);
        if (c.after.back() == "started") {
            ASSERT_TRUE(WaitFor([&] { return readFile(folder() / "started") == "started\n"; }));
        }
        EXPECT_EQ(listDir(folder()), c.after);
        EXPECT_EQ(readFile(folder() / PathFromUtf8(c.program)), c.content);
    }
}

}  // namespace
