#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include "tests/support/win32/SmallVolume.h"
#else
#include <sys/resource.h>

#include <csignal>
#endif

#include <fstream>
#include <stdexcept>

#include "core/Utf8Path.h"
#include "core/settings/IniEncoding.h"
#include "core/settings/IniFile.h"
#include "tests/ini/Utf16Le.h"
#include "tests/support/DropFileOverride.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using packwell::IniFile;
using packwell::IniWriteError;
using packwell::test::DropFileOverride;
using packwell::test::listDir;
using packwell::test::readFile;
using packwell::test::TempDir;

namespace {

using packwell::test::Utf16Le;

struct WriteCase {
    const char* name;
    const char* before;  // nullptr: no file
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

class IniWriteTable : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTable, ChangesOnlyTheKey) {
    const WriteCase& c = GetParam();
    TempDir dir;
    const fs::path path = dir.appData() / "Settings.ini";
    if (c.before) dir.write("appdata/Settings.ini", c.before);
    IniFile(path).WriteString(c.section, c.key, c.value);
    EXPECT_EQ(readFile(path), c.after);
    EXPECT_EQ(IniFile(path).ReadString(c.section, c.key, "<default>"), c.value);
    EXPECT_EQ(listDir(dir.appData()), std::vector<std::string>{"Settings.ini"}) << "temporary file left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWriteTable,
    testing::Values(
        WriteCase{"CreatesFile", nullptr, "Settings", "Turbo", "1", "[Settings]\r\nTurbo=1\r\n"},
        WriteCase{"AddsSectionAtEnd", "[Other]\r\nx=1", "Settings", "Turbo", "0",
                  "[Other]\r\nx=1\r\n[Settings]\r\nTurbo=0\r\n"},
        WriteCase{"ReplacesValueKeepingOtherLines", "; kept\n[settings]\n  turbo = 1  \nExtraOptions=1\n", "Settings",
                  "Turbo", "0", "; kept\n[settings]\nturbo=0\nExtraOptions=1\n"},
        WriteCase{"AddsKeyAfterLastLineOfSection", "[Settings]\r\nTurbo=1\r\n\r\n[Other]\r\nx=1\r\n", "Settings",
                  "WhiteList", "a.jarb.jar", "[Settings]\r\nTurbo=1\r\nWhiteList=a.jarb.jar\r\n\r\n[Other]\r\nx=1\r\n"},
        WriteCase{"AddsKeyToEmptySection", "[Settings]", "Settings", "Turbo", "1", "[Settings]\r\nTurbo=1\r\n"},
        WriteCase{"ChangesTheEntryThatIsRead", "[a]\r\nx=1\r\n[A]\r\nx=2\r\n", "a", "X", "3",
                  "[a]\r\nx=3\r\n[A]\r\nx=2\r\n"},
        // The reader sees only the first section of a name: the key goes there.
        WriteCase{"WritesIntoTheFirstSectionOfAName", "[a]\r\ny=1\r\n[A]\r\nx=2\r\n", "a", "x", "3",
                  "[a]\r\ny=1\r\nx=3\r\n[A]\r\nx=2\r\n"},
        WriteCase{"KeepsLoneCrLines", "[a]\rx=1\ry=2", "a", "x", "3", "[a]\rx=3\ry=2"},
        // Quotes around a value and blanks at its ends would be lost on reading: quoted.
        WriteCase{"QuotesAValueInQuotes", "[a]\r\n", "a", "x", "\"q\"", "[a]\r\nx=\"\"q\"\"\r\n"},
        WriteCase{"QuotesBlanksAtTheEnds", nullptr, "a", "x", " b ", "[a]\r\nx=\" b \"\r\n"},
        WriteCase{"LeavesInnerQuotes", nullptr, "a", "x", "a\"b'", "[a]\r\nx=a\"b'\r\n"},
        WriteCase{"KeepsByteOrderMark", "\xEF\xBB\xBF[a]\r\nx=1\r\n", "a", "x", "", "\xEF\xBB\xBF[a]\r\nx=\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file Windows reads as UTF-16 stays UTF-16, every other line as it was.
TEST(IniFile, WritesIntoAUtf16FileAsUtf16) {
    TempDir dir;
    const fs::path path = dir.write("appdata/Settings.ini", Utf16Le(u"[Settings]\r\nGameFolder=C:\\Игры\r\nTurbo=1\r\n"));
    const IniFile ini(path);
    ini.WriteString("Settings", "Turbo", "0");
    ini.WriteString("Settings", "WhiteList", "жук.jar/\xF0\x9F\x98\x80.jar/");
    EXPECT_EQ(readFile(path),
              Utf16Le(u"[Settings]\r\nGameFolder=C:\\Игры\r\nTurbo=0\r\nWhiteList=жук.jar/\U0001F600.jar/\r\n"));
    EXPECT_EQ(ini.ReadString("Settings", "GameFolder", ""), "C:\\Игры");
    EXPECT_EQ(ini.ReadString("Settings", "WhiteList", ""), "жук.jar/\xF0\x9F\x98\x80.jar/");
}

// Text beyond ASCII goes out as this system's own readers take it: UTF-16 on Windows (the
// profile functions read a file without a mark in the ANSI code page), UTF-8 elsewhere. An
// ASCII file keeps its encoding.
TEST(IniFile, WritesTextBeyondAsciiInTheSystemsEncoding) {
#ifdef _WIN32
    const auto beyondAscii = [](const std::u16string& text, const char*) { return Utf16Le(text); };
#else
    const auto beyondAscii = [](const std::u16string&, const char* utf8) { return std::string(utf8); };
#endif
    const struct {
        const char* name;
        std::string before;
        std::string afterAscii;  // the file after Turbo=0
        std::string afterCyrillic;  // ... and then GameFolder=C:\Игры
    } cases[] = {{"UTF-8", "[Settings]\r\nTurbo=1\r\n", "[Settings]\r\nTurbo=0\r\n",
                  beyondAscii(u"[Settings]\r\nTurbo=0\r\nGameFolder=C:\\Игры\r\n",
                              "[Settings]\r\nTurbo=0\r\nGameFolder=C:\\Игры\r\n")},
                 // The mark is written once, as UTF-16 on Windows.
                 {"UTF-8 with mark", "\xEF\xBB\xBF[Settings]\r\nTurbo=1\r\n", "\xEF\xBB\xBF[Settings]\r\nTurbo=0\r\n",
                  beyondAscii(u"[Settings]\r\nTurbo=0\r\nGameFolder=C:\\Игры\r\n",
                              "\xEF\xBB\xBF[Settings]\r\nTurbo=0\r\nGameFolder=C:\\Игры\r\n")},
                 // 1251 may lack the next character written: a 1251 file goes over too.
                 {"Windows-1251", "[Settings]\r\nW=\xEC\xEE\xE4\r\nTurbo=1\r\n",
                  beyondAscii(u"[Settings]\r\nW=мод\r\nTurbo=0\r\n", "[Settings]\r\nW=мод\r\nTurbo=0\r\n"),
                  beyondAscii(u"[Settings]\r\nW=мод\r\nTurbo=0\r\nGameFolder=C:\\Игры\r\n",
                              "[Settings]\r\nW=мод\r\nTurbo=0\r\nGameFolder=C:\\Игры\r\n")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const fs::path path = dir.write("appdata/Settings.ini", c.before);
        const IniFile ini(path);
        ini.WriteString("Settings", "Turbo", "0");
        EXPECT_EQ(readFile(path), c.afterAscii);
        ini.WriteString("Settings", "GameFolder", "C:\\Игры");
        EXPECT_EQ(readFile(path), c.afterCyrillic);
        EXPECT_EQ(ini.ReadString("Settings", "GameFolder", ""), "C:\\Игры");
        EXPECT_EQ(ini.ReadString("Settings", "Turbo", ""), "0");
    }
}

// Both systems' rules, wherever the tests run: a UTF-16 file (one copied from Windows) stays
// UTF-16 on Linux too, and ASCII text never changes a file's encoding.
TEST(IniEncoding, EncodingToWriteKeepsUtf16AndAsciiFiles) {
    using enum packwell::ini::Encoding;
    const struct {
        packwell::ini::Encoding current;
        const char* text;
        packwell::ini::Encoding beyondAscii;
        packwell::ini::Encoding expected;
    } cases[] = {{Utf8, "x=1", Utf16Le, Utf8},           {Windows1251, "x=1", Utf8, Windows1251},
                 {Utf8, "\xEF\xBB\xBFx=1", Utf16Le, Utf8}, {Utf8, "x=ж", Utf16Le, Utf16Le},
                 {Windows1251, "x=ж", Utf16Le, Utf16Le},  {Utf8, "x=ж", Utf8, Utf8},
                 {Windows1251, "x=ж", Utf8, Utf8},        {Utf16Le, "x=1", Utf8, Utf16Le},
                 {Utf16Le, "x=ж", Utf8, Utf16Le},         {Utf16Le, "x=ж", Utf16Le, Utf16Le}};
    for (const auto& c : cases)
        EXPECT_EQ(packwell::ini::EncodingToWrite(c.current, c.text, c.beyondAscii), c.expected)
            << c.text << " in " << static_cast<int>(c.current) << ", beyond ASCII " << static_cast<int>(c.beyondAscii);
}

// A lone surrogate would come back as U+FFFD: the file is refused rather than changed.
TEST(IniFile, RefusesAUtf16FileItCannotRewriteWhole) {
    TempDir dir;
    const std::string before = Utf16Le(u"[Settings]\r\nName=\xDC00\r\n");
    const fs::path path = dir.write("appdata/Settings.ini", before);
    EXPECT_THROW(IniFile(path).WriteString("Settings", "Turbo", "0"), IniWriteError);
    EXPECT_EQ(readFile(path), before);
}

TEST(IniFile, ReadsTheFileAtEveryAccess) {
    TempDir dir;
    const IniFile ini(dir.appData() / "Update.ini");
    EXPECT_EQ(ini.ReadString("Update", "lastversion", "1.2.6.3"), "1.2.6.3");
    EXPECT_FALSE(fs::exists(ini.FileName())) << "a read must not create the file";
    dir.write("appdata/Update.ini", "[Update]\r\nlastversion=1.2.7\r\n");
    EXPECT_EQ(ini.ReadString("Update", "lastversion", "1.2.6.3"), "1.2.7");
    dir.write("appdata/Update.ini", "[modlist]\r\nCount=0x10\r\n");
    EXPECT_EQ(ini.ReadString("Update", "lastversion", "1.2.6.3"), "1.2.6.3");
    EXPECT_EQ(ini.ReadInteger("modlist", "count", 0), 16);
    EXPECT_EQ(ini.Load().ReadInteger("MODLIST", "Count", 0), 16);
    fs::remove(ini.FileName());
    EXPECT_EQ(ini.ReadInteger("modlist", "Count", 0), 0);
}

TEST(IniFile, WritesIntegersAndBooleans) {
    TempDir dir;
    const IniFile ini(dir.appData() / "Settings.ini");
    ini.WriteBool("Settings", "Turbo", false);
    ini.WriteBool("Settings", "ExtraOptions", true);
    ini.WriteInteger("Settings", "N", -42);
    EXPECT_EQ(readFile(ini.FileName()), "[Settings]\r\nTurbo=0\r\nExtraOptions=1\r\nN=-42\r\n");
    EXPECT_FALSE(ini.ReadBool("Settings", "Turbo", true));
    EXPECT_EQ(ini.ReadInteger("Settings", "N", 0), -42);
}

TEST(IniFile, RefusedWriteNamesTheFile) {
    TempDir dir;
    dir.write("not-a-folder", "x");  // a parent that is a file stops root too
    const fs::path path = dir.root() / "not-a-folder" / "Settings.ini";
    try {
        IniFile(path).WriteString("Settings", "Turbo", "1");
        FAIL() << "no error";
    } catch (const IniWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + packwell::Utf8FromPath(path));
    }
}

// While it lives, the file cannot be read by this process. POSIX: no read permission (and no
// root override); Windows: another handle holds it open without sharing.
class UnreadableFile {
public:
#ifdef _WIN32
    explicit UnreadableFile(const fs::path& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~UnreadableFile() { CloseHandle(handle_); }

private:
    HANDLE handle_;
#else
    explicit UnreadableFile(const fs::path& path) : path_(path) { fs::permissions(path_, fs::perms::owner_write); }
    ~UnreadableFile() { fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write); }

private:
    fs::path path_;
    DropFileOverride asPlayer_;  // root would read it anyway
#endif
};

// A file that cannot be read must not be replaced by one holding only the new key.
TEST(IniFile, RefusesToOverwriteUnreadableFile) {
    TempDir dir;
    const fs::path path = dir.write("appdata/Settings.ini", "[Settings]\r\nWhiteList=a.jar\r\n");
    {
        const UnreadableFile locked(path);
        EXPECT_THROW(IniFile(path).WriteString("Settings", "Turbo", "1"), IniWriteError);
    }
    EXPECT_EQ(readFile(path), "[Settings]\r\nWhiteList=a.jar\r\n");
}

#ifndef _WIN32
// The file size limit for as long as it lives, with SIGXFSZ ignored so that a write past it
// fails with EFBIG instead of ending the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// A write that fails halfway leaves the old file whole: the new text never goes into it.
TEST(IniFile, WriteFailingHalfwayLeavesTheOldFileWhole) {
    TempDir dir;
    const std::string before = "[Settings]\r\nGameFolder=/games/mc\r\nWhiteList=" + std::string(3000, 'k') + "\r\n";
    const fs::path path = dir.write("appdata/Settings.ini", before);
    {
        const FileSizeLimit limit(4096);
        EXPECT_THROW(IniFile(path).WriteString("Settings", "WhiteList", std::string(8000, 'n')), IniWriteError);
    }
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(listDir(dir.appData()), std::vector<std::string>{"Settings.ini"}) << "temporary file left behind";
}
#else
// A write that fails halfway leaves the old file whole: on a small volume of its own, filled
// but for one page, the new text runs out of room.
TEST(IniFile, WriteFailingHalfwayLeavesTheOldFileWhole) {
    const packwell::test::SmallVolume volume;
    ASSERT_TRUE(volume.ready());
    const std::string before = "[Settings]\r\nGameFolder=C:\\Games\\MC\r\nWhiteList=" + std::string(3000, 'k') + "\r\n";
    const fs::path path = volume.folder() / "Settings.ini";
    std::ofstream(path, std::ios::binary) << before;
    ASSERT_EQ(readFile(path), before);
    volume.leaveFree(4096);
    EXPECT_THROW(IniFile(path).WriteString("Settings", "WhiteList", std::string(8000, 'n')), IniWriteError);
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(listDir(volume.folder()), std::vector<std::string>{"Settings.ini"}) << "temporary file left behind";
}
#endif

// Text that would read back as other keys, or not at all, is a refused write: the file stays.
TEST(IniFile, RefusesTextThatWouldNotReadBack) {
    TempDir dir;
    const fs::path path = dir.write("appdata/Settings.ini", "[Settings]\r\nTurbo=1\r\n");
    const IniFile ini(path);
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } refused[] = {{"Settings", "GameFolder", "/a\r\nTurbo=0"}, {"Settings", "GameFolder", "/a\nb"},
                   {"Settings", "Game=Folder", "x"},           {"Settings", "", "x"},
                   {"Set]tings", "x", "x"},    {"Settings", "GameFolder", "/\xFF\xD0"},
                   {"Settings", "Game\xC3", "x"}};
    for (const auto& c : refused) {
        try {
            ini.WriteString(c.section, c.key, c.value);
            ADD_FAILURE() << "written: " << c.key << "=" << c.value;
        } catch (const IniWriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + packwell::Utf8FromPath(path)) << c.key << "=" << c.value;
        }
    }
    EXPECT_EQ(readFile(path), "[Settings]\r\nTurbo=1\r\n");
}

}  // namespace
