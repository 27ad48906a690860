#include <gtest/gtest.h>

#include <stdexcept>

#include "Addons/Custom/AllInOne/ReplaceScript.h"
#include "tests/support/TempDir.h"
#include "tests/util/ReplaceNames.h"

namespace fs = std::filesystem;
using AllInOne::ReplaceNames;
using packwell::test::kNames;
using packwell::test::listDir;
using packwell::test::readFile;
using packwell::test::TempDir;

namespace {

TEST(ReplaceScript, BatchDeletesTheOldProgramOnlyAfterTheRename) {
    EXPECT_EQ(AllInOne::BuildReplaceBatch(kNames),
              "chcp 1251\r\n"
              "if exist \"Packwell Brenvik v1.2.7.exe\" del /q /f \"Packwell Brenvik v1.2.7.exe\"\r\n"
              "ren \"01234567890123456789.exe\" \"Packwell Brenvik v1.2.7.exe\"\r\n"
              // The old program may still be held: tried again each second, ten times at most.
              "set /a tries=0\r\n:old\r\n"
              "if exist \"Packwell Brenvik v1.2.7.exe\" if not exist \"01234567890123456789.exe\" del \"Packwell.exe\"\r\n"
              "if exist \"Packwell Brenvik v1.2.7.exe\" if not exist \"01234567890123456789.exe\" if exist \"Packwell.exe\" "
              "if %tries% lss 10 (set /a tries+=1 & ping -n 2 127.0.0.1 >nul & goto old)\r\n"
              "if exist \"01234567890123456789.exe\" (del /q /f \"01234567890123456789.exe\") else start "
              "\"Packwell Brenvik v1.2.7.exe\" \"Packwell Brenvik v1.2.7.exe\"\r\n"
              "del \"delete.bat\"\r\n");
    // The program already has the new name (in other letter case): deleting it afterwards would
    // delete the new copy, and deleting it without a copy would leave no program.
    EXPECT_EQ(AllInOne::BuildReplaceBatch({"packwell brenvik V1.2.7.EXE", kNames.NewName, kNames.TempName}),
              "chcp 1251\r\n"
              "set /a tries=0\r\n:old\r\n"
              "if exist \"01234567890123456789.exe\" if exist \"Packwell Brenvik v1.2.7.exe\" del /q /f \"Packwell Brenvik v1.2.7.exe\"\r\n"
              "if exist \"01234567890123456789.exe\" if exist \"Packwell Brenvik v1.2.7.exe\" if exist \"Packwell Brenvik v1.2.7.exe\" "
              "if %tries% lss 10 (set /a tries+=1 & ping -n 2 127.0.0.1 >nul & goto old)\r\n"
              "ren \"01234567890123456789.exe\" \"Packwell Brenvik v1.2.7.exe\"\r\n"
              "if exist \"01234567890123456789.exe\" (del /q /f \"01234567890123456789.exe\") else start "
              "\"Packwell Brenvik v1.2.7.exe\" \"Packwell Brenvik v1.2.7.exe\"\r\n"
              "del \"delete.bat\"\r\n");
}

TEST(ReplaceScript, RefusesNamesThatCouldEscapeQuoting) {
    const std::string bad[] = {"",       ".",       "..",     "a\"b",     "a'b", "50%",  "a&b",   "a|b",
                               "a\r\nb", "a\nb",    "a/b",    "a\\b",     "C:b", "*.exe", "a?.exe", "a\x01.exe",
                               "a`b`",   "$(x).exe", "a<b",    "a>b",      "a^b"};
    TempDir dir;
    for (const std::string& name : bad) {
        for (int role = 0; role < 3; ++role) {
            ReplaceNames names = kNames;
            (role == 0 ? names.OwnName : role == 1 ? names.NewName : names.TempName) = name;
            EXPECT_THROW(AllInOne::WriteReplaceScript(dir.root(), names), std::invalid_argument) << name << " as " << role;
        }
    }
    // A temporary name equal to another name would delete the new copy itself.
    EXPECT_THROW(AllInOne::WriteReplaceScript(dir.root(), {"a.exe", "b.exe", "b.exe"}), std::invalid_argument);
    EXPECT_THROW(AllInOne::WriteReplaceScript(dir.root(), {"a.exe", "b.exe", "a.exe"}), std::invalid_argument);
    EXPECT_EQ(listDir(dir.root()), (std::vector<std::string>{"appdata", "cwd"})) << "nothing may be written";

    EXPECT_NO_THROW(AllInOne::WriteReplaceScript(dir.root(), {"Пакет (1).exe", "Новый v1.2.exe", "123.exe"}));
}

}  // namespace
