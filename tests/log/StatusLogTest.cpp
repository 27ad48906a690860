#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <optional>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/Utf8Path.h"
#include "core/log/StatusLog.h"
#include "core/log/StatusLogExport.h"
#include "platform/Desktop.h"
#include "platform/Locale.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;
using namespace std::chrono;
using packwell::StatusLog;
using packwell::test::listDir;
using packwell::test::readFile;
using packwell::test::TempDir;

namespace {

using Lines = std::vector<std::string>;

// "[9:05:07] " + text: the log's stamp at the fixture's time, on Windows in the user locale's
// long time format.
std::string Stamped(const std::string& text) {
    return "[" + platform::LongTimeText({9, 5, 7}).value_or("9:05:07") + "] " + text;
}

// The log in UTC with its clock held at 09:05:07, so timestamps are known.
class StatusLogFixture : public testing::Test {
protected:
    void SetUp() override {
        oldTz_ = packwell::test::GetEnv("TZ");
        packwell::test::SetEnv("TZ", "UTC");
        tzset();
        log.SetClock([] { return sys_days{year{2024} / 3 / 1} + hours{9} + minutes{5} + seconds{7}; });
    }
    void TearDown() override {
        packwell::test::SetEnv("TZ", oldTz_);
        tzset();
    }

    StatusLog log;

private:
    std::optional<std::string> oldTz_;
};

struct LogCase {
    const char* name;
    std::function<void(StatusLog&)> calls;
    Lines expected;
};

class StatusLogTable : public StatusLogFixture, public testing::WithParamInterface<LogCase> {};

TEST_P(StatusLogTable, AppendsLines) {
    GetParam().calls(log);
    EXPECT_EQ(log.Lines(), GetParam().expected);
    EXPECT_EQ(log.LineCount(), GetParam().expected.size());
}

const char* const kTitle = "=====Проверка совместимости=====";

INSTANTIATE_TEST_SUITE_P(
    Rules, StatusLogTable,
    testing::Values(
        LogCase{"HeaderIntoEmptyLogHasNoSeparator", [](StatusLog& l) { l.Console(1, false, kTitle); }, {kTitle}},
        LogCase{"HeaderAfterLinesGetsSeparator",
                [](StatusLog& l) {
                    l.Console(false, "a");
                    l.Console(1, false, kTitle);
                },
                {"a", " ", kTitle}},
        LogCase{"NoticeIsSeparatorAndStepLine",
                [](StatusLog& l) {
                    l.Console(false, "a");
                    l.Console(1, "Турбо включён");
                },
                {"a", " ", Stamped("Турбо включён")}},
        LogCase{"StepLineIsTimestamped", [](StatusLog& l) { l.Console("Успешно: a.jar"); }, {Stamped("Успешно: a.jar")}},
        LogCase{"OnlyFirstLineOfEntryIsTimestamped", [](StatusLog& l) { l.Console("first\r\nsecond"); },
                {Stamped("first"), "second"}},
        LogCase{"BareLineFeedsSplitToo", [](StatusLog& l) { l.Console(false, "a\nb\r\n\r\nc"); }, {"a", "b", "", "c"}},
        LogCase{"OtherHeadValuesAddNoSeparator",
                [](StatusLog& l) {
                    l.Console(false, "a");
                    l.Console(std::uint8_t{2}, false, "b");
                    l.Console(0, "c");
                },
                {"a", "b", Stamped("c")}},
        LogCase{"EmptyEntryIsEmptyLine", [](StatusLog& l) { l.Console(false, ""); }, {""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatLongTime, HoursWithoutLeadingZero) {
    EXPECT_EQ(packwell::FormatLongTime(9, 5, 7), "9:05:07");
    EXPECT_EQ(packwell::FormatLongTime(0, 0, 0), "0:00:00");
    EXPECT_EQ(packwell::FormatLongTime(23, 59, 59), "23:59:59");
}

TEST_F(StatusLogFixture, ListenerGetsEachEntrysLines) {
    std::vector<Lines> seen;
    log.SetListener([&](const Lines& lines) { seen.push_back(lines); });
    log.Console(false, "a");
    log.Console(1, "b\r\nc");
    EXPECT_EQ(seen, (std::vector<Lines>{{"a"}, {" ", Stamped("b"), "c"}}));
}

TEST_F(StatusLogFixture, ExportWritesWholeLogEachTime) {
    TempDir dir;
    log.Console(1, false, kTitle);
    log.Console("Успешно: a.jar");
    const fs::path file = log.Export();
    EXPECT_EQ(file, dir.cwd() / packwell::PathFromUtf8("Packwell - Статус.txt"));
    // In the encoding the player's editor reads (tested on its own below).
    EXPECT_EQ(readFile(file), platform::TextForTheEditor(std::string(kTitle) + "\r\n" + Stamped("Успешно: a.jar") + "\r\n"));

    log.Console(1, false, "======Завершение загрузки=======\r\nПрошло времени: 1");
    log.Export();
    EXPECT_EQ(readFile(file), platform::TextForTheEditor(std::string(kTitle) + "\r\n" + Stamped("Успешно: a.jar") +
                                  "\r\n \r\n======Завершение загрузки=======\r\nПрошло времени: 1\r\n"));
    EXPECT_EQ(listDir(dir.cwd()), Lines{"Packwell - Статус.txt"}) << "temporary file left behind";
}

#ifdef _WIN32
// Notepad reads a file it is told nothing about in the ANSI code page: the export is written so,
// without a byte-order mark, what the code page lacks as its default character; and Notepad is
// named on the command line with the file's name in the current folder.
TEST_F(StatusLogFixture, ExportIsInTheAnsiCodePageAndNamesNotepad) {
    if (GetACP() != 1251) GTEST_SKIP() << "the system's code page is " << GetACP() << ", not Windows-1251";
    TempDir dir;
    log.Console(false, "Удален мод: a.jar \xE2\x9C\x93");
    const fs::path file = log.Export();
    EXPECT_EQ(readFile(file), "\xD3\xE4\xE0\xEB\xE5\xED \xEC\xEE\xE4: a.jar ?\r\n");
    EXPECT_EQ(platform::TextEditorCommandLine(file), "notepad.exe \"Packwell - \xD0\xA1\xD1\x82\xD0\xB0\xD1\x82\xD1\x83\xD1\x81.txt\"");
}
#endif

TEST_F(StatusLogFixture, ExportAndOpenOpensOnlyWrittenFile) {
    TempDir dir;
    log.Console(false, "a");
    std::optional<std::string> opened;
    const fs::path file = packwell::ExportAndOpen(log, [&](const fs::path& p) { opened = readFile(p); });
    EXPECT_EQ(opened, "a\r\n");

    // The opener failing leaves the file written.
    EXPECT_THROW(packwell::ExportAndOpen(
                     log, [](const fs::path&) { throw std::system_error(ENOENT, std::generic_category(), "no editor"); }),
                 std::system_error);
    EXPECT_EQ(readFile(file), "a\r\n");

    // The export failing opens nothing.
    fs::remove(file);
    fs::create_directory(file);  // a folder where the file should go
    bool called = false;
    EXPECT_THROW(packwell::ExportAndOpen(log, [&](const fs::path&) { called = true; }), std::system_error);
    EXPECT_FALSE(called);
    EXPECT_EQ(listDir(dir.cwd()), Lines{"Packwell - Статус.txt"}) << "temporary file left behind";
}

// Entries from several threads at once: each stays whole and each thread's keep their order.
TEST(StatusLog, ConcurrentAppendsKeepEntriesWholeAndOrdered) {
    StatusLog log;
    std::size_t listened = 0;
    log.SetListener([&](const Lines& lines) { listened += lines.size(); });  // runs under the log's lock
    constexpr int kThreads = 5, kEntries = 400;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&log, t] {
            for (int i = 0; i < kEntries; ++i)
                log.Console(false, "t" + std::to_string(t) + " " + std::to_string(i) + "\r\nend " + std::to_string(t));
        });
    for (auto& th : threads) th.join();

    const Lines lines = log.Lines();
    ASSERT_EQ(lines.size(), std::size_t{kThreads * kEntries * 2});
    EXPECT_EQ(listened, lines.size());
    std::vector<int> next(kThreads, 0);
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        int t = -1, n = -1;
        ASSERT_EQ(std::sscanf(lines[i].c_str(), "t%d %d", &t, &n), 2) << lines[i];
        ASSERT_TRUE(t >= 0 && t < kThreads);
        EXPECT_EQ(n, next[t]++) << "thread " << t << " out of order";
        EXPECT_EQ(lines[i + 1], "end " + std::to_string(t)) << "entry torn apart";
    }
}

}  // namespace
