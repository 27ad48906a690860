// "Запуск синхронизации" from the window: the sequential run, the Turbo run driven through
// Timer6, the cleanup-only press, and closing the program in the middle of a Turbo run.
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <regex>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/sync/TurboDispatcher.h"
#include "tests/ui_actions/ActionsFixture.h"
#include "ui/qt/Unit2.h"

namespace packwell::test {
namespace {

namespace fs = std::filesystem;

class RunWindow : public ActionsTest {
protected:
    // Checks against a manifest of `mods`, each served under /mods3/ unless its body is empty.
    TVantorCompatibility& CheckedWith(const std::vector<std::pair<std::string, std::string>>& mods,
                                      const std::vector<std::string>& deletable, bool turbo, bool setups) {
        TVantorCompatibility& w = Start();
        std::vector<std::pair<std::string, int>> listed;
        for (const auto& [name, body] : mods) {
            listed.emplace_back(name, static_cast<int>(body.size()));
            if (!body.empty()) server.serve("/mods3/" + name, body);
        }
        for (const auto& name : deletable) home.write(fs::relative(Mods() / name, home.root()), "old");
        ServeManifest(listed, deletable);
        w.sCheckBox1->setChecked(turbo);
        w.sCheckBox2->setChecked(setups);
        Check(w);
        return w;
    }

    // Calls the Turbo dispatcher's tick until the run has closed (bounded), handling events.
    bool DriveTurbo(TVantorCompatibility& w) {
        return ProcessUntil([&] {
            w.Timer6Timer();
            return w.Run()->Finished();
        });
    }
};

// The three lines of the summary; the elapsed time by its shape.
void ExpectSummary(const std::vector<std::string>& lines, int done, int listed, std::int64_t bytes) {
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "======Завершение загрузки=======");
    EXPECT_TRUE(std::regex_match(lines[1], std::regex(R"(Прошло времени: \d{1,2}:\d\d:\d\d)"))) << lines[1];
    EXPECT_EQ(lines[2], "Объем загруженых файлов(" + std::to_string(done) + " из " + std::to_string(listed) +
                            "): " + AllInOne::FormatSize(static_cast<std::int8_t>(255), static_cast<double>(bytes)));
}

TEST_F(RunWindow, SequentialRunLogsEveryFileTheSummaryAndTheShortfall) {
    TVantorCompatibility& w = CheckedWith({{"a.jar", "AAAA"}, {"b.jar", ""}, {"c.jar", "CCC"}}, {}, false, false);
    const std::size_t before = w.StatusLog.LineCount();
    w.sButtonDownloadClick();

    const std::vector<std::string> lines = UnstampedLines(LinesSince(w, before));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
              (std::vector<std::string>{" ", "============Загрузка============", "Успешно: a.jar",
                                        " ! Ошибка загрузки: b.jar", "Успешно: c.jar"}));
    ExpectSummary({lines.begin() + 5, lines.begin() + 8}, 2, 3, 7);
    EXPECT_EQ(lines[8], " ");
    EXPECT_EQ(lines[9], "! Не все файлы были загружены !");
    EXPECT_EQ(readFile(Mods() / "a.jar"), "AAAA");
    EXPECT_FALSE(fs::exists(Mods() / "b.jar"));

    EXPECT_TRUE(w.isEnabled());
    EXPECT_FALSE(w.sButtonDownload->isEnabled());  // until the next check
    EXPECT_FALSE(w.sProgressBar1->isVisible());
    EXPECT_EQ(w.height(), w.ActionsHeight());
    EXPECT_TRUE(opened.empty());  // "Setups" unticked
}

TEST_F(RunWindow, TurboRunHandsOutFromTheEndThenClosesWithSetupsSummaryAndCleanup) {
    TVantorCompatibility& w =
        CheckedWith({{"a.jar", "AAAA"}, {"b.jar", "BB"}, {"c.jar", "CCC"}}, {"old.jar"}, true, true);
    server.serve("/Settingss.exe", "extra settings");
    const std::size_t before = w.StatusLog.LineCount();
    w.sButtonDownloadClick();

    EXPECT_FALSE(w.isEnabled());
    EXPECT_TRUE(w.Timer6->isActive());
    EXPECT_EQ(w.Timer6->Tag, 0);
    EXPECT_EQ(w.ItemNumber(), 3);
    for (int bar = 1; bar <= 5; ++bar) EXPECT_TRUE(w.ProgressBar(bar)->isVisible()) << bar;
    EXPECT_EQ(w.height(), w.ProgressHeight());

    w.Timer6Timer();  // the first tick gives items 3, 2, 1 to workers 1, 2, 3
    const TurboDispatcher* dispatcher = w.Run()->Dispatcher();
    ASSERT_NE(dispatcher, nullptr);
    EXPECT_EQ(w.ItemNumber(), 0);
    ASSERT_NE(dispatcher->WorkerSlot1(), nullptr);
    ASSERT_NE(dispatcher->WorkerSlot3(), nullptr);
    EXPECT_EQ(dispatcher->WorkerSlot1()->FSaveTo, Mods() / "c.jar");
    EXPECT_EQ(dispatcher->WorkerSlot3()->FSaveTo, Mods() / "a.jar");
    EXPECT_EQ(dispatcher->WorkerSlot4(), nullptr);
    EXPECT_EQ(dispatcher->WorkerSlot5(), nullptr);
    ASSERT_TRUE(DriveTurbo(w));

    const std::vector<std::string> lines = UnstampedLines(LinesSince(w, before));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[1], "============Загрузка============");
    std::vector<std::string> fileLines(lines.begin() + 2, lines.begin() + 5);
    std::sort(fileLines.begin(), fileLines.end());
    EXPECT_EQ(fileLines, (std::vector<std::string>{"Успешно: a.jar", "Успешно: b.jar", "Успешно: c.jar"}));
    ExpectSummary({lines.begin() + 5, lines.end()}, 3, 3, 9);

    // Setups came before the summary, the cleanup dialog after it.
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].file, game / "Settingss.exe");
    EXPECT_EQ(opened[0].workingDir, game);
    EXPECT_EQ(opened[0].logLinesThen, before + 5);
    EXPECT_TRUE(w.CleanupDialog->isVisible());
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_FALSE(w.sButtonDownload->isEnabled());
    EXPECT_FALSE(w.Timer6->isActive());
    for (int bar = 1; bar <= 5; ++bar) EXPECT_FALSE(w.ProgressBar(bar)->isVisible()) << bar;
}

TEST_F(RunWindow, NothingMissingOpensTheCleanupDialogAtOnceAndWritesNothing) {
    TVantorCompatibility& w = CheckedWith({}, {"old.jar"}, true, true);
    ASSERT_TRUE(w.sButtonDownload->isEnabled());
    const std::size_t before = w.StatusLog.LineCount();
    w.sButtonDownloadClick();

    EXPECT_EQ(w.StatusLog.LineCount(), before);
    EXPECT_TRUE(w.CleanupDialog->isVisible());
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.isEnabled());  // until the dialog hands back
    EXPECT_TRUE(opened.empty());

    w.CleanupDialog->sButtonDel->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(RunWindow, OfflinePressChangesNothing) {
    TVantorCompatibility& w = CheckedWith({{"a.jar", "AAAA"}}, {}, false, false);
    online = false;
    const std::size_t before = w.StatusLog.LineCount();
    w.sButtonDownloadClick();

    EXPECT_EQ(UnstampedLines(LinesSince(w, before)),
              (std::vector<std::string>{"Ошибка подключения к серверу.", "Операция отменена."}));
    EXPECT_TRUE(w.isEnabled());
    EXPECT_TRUE(w.sButtonDownload->isEnabled());
    EXPECT_EQ(w.Run(), nullptr);
}

TEST_F(RunWindow, ClosingDuringTurboStopsTheWorkersLeavesNoFileAndEnds) {
    TVantorCompatibility& w = CheckedWith({{"big.jar", std::string(1000, 'x')}}, {"old.jar"}, true, true);
    server.serveStall("/mods3/big.jar", 1'000'000, "partial content");
    w.sButtonDownloadClick();
    w.Timer6Timer();
    ASSERT_NE(w.Run()->Dispatcher()->WorkerSlot1(), nullptr);
    ASSERT_TRUE(ProcessUntil([&] {
        const auto requests = server.requests();
        return std::any_of(requests.begin(), requests.end(), [](const auto& r) { return r.path == "/mods3/big.jar"; });
    }));
    const std::size_t before = w.StatusLog.LineCount();

    w.FormCloseQuery();
    ASSERT_TRUE(ProcessUntil([&] {
        w.Timer6Timer();
        return desktop.terminations > 0;
    }));
    // The close request itself stopped the stalled worker (it would otherwise wait a minute).
    EXPECT_TRUE(ProcessUntil([&] { return w.Run()->Dispatcher()->WorkerSlot1() == nullptr; }, 10000));
    const std::vector<std::string> lines = LinesSince(w, before);
    window.reset();

    EXPECT_EQ(listDir(Mods()), std::vector<std::string>{"old.jar"});  // no big.jar, no part file
    EXPECT_TRUE(opened.empty());                                      // no Setups on the way out
    for (const std::string& line : lines) EXPECT_EQ(line.find("Завершение"), std::string::npos) << line;
}

}  // namespace
}  // namespace packwell::test
