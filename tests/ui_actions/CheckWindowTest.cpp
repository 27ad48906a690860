// "Проверить совместимость" from the window: what it logs, the run button afterwards, a
// failed fetch that keeps what the previous check found, and a server that accepts the
// request and then sends nothing: the window lives on meanwhile, and closing ends the program
// well before the transfer would give up by itself.
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "tests/ui_actions/ActionsFixture.h"

namespace packwell::test {
namespace {

namespace fs = std::filesystem;
using CheckWindow = ActionsTest;

TEST_F(CheckWindow, LogsFindingsEnablesAndFocusesTheRunButton) {
    TVantorCompatibility& w = Start();
    ServeManifest({{"a.jar", 100}, {"b.jar", 2048}}, {"old.jar", "gone.jar"});
    home.write(fs::relative(Mods() / "a.jar", home.root()), "present");
    home.write(fs::relative(game / "mods" / "old.jar", home.root()), "stray");  // gathered, then offered

    const std::size_t before = w.StatusLog.LineCount();
    Check(w);

    EXPECT_EQ(enabledWhenAsked, std::vector<bool>{false});  // no input while it runs
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(w.Lists.MissingList, std::vector<std::string>{"b.jar"});
    EXPECT_EQ(w.Lists.DeleteList, std::vector<std::string>{"old.jar"});
    EXPECT_TRUE(fs::exists(Mods() / "old.jar"));
    const std::vector<std::string> expected{
        " ",
        "=====Проверка совместимости=====",
        "Конфиг загружен.",
        "Всего модов на сервере: 2 шт. (" + AllInOne::FormatSize(static_cast<std::int8_t>(255), 2148) + ")",
        "* Отсутствует: b.jar",
        "======Завершение проверки=======",
        "Отсутствуют моды: 1 шт. (" + AllInOne::FormatSize(static_cast<std::int8_t>(255), 2048) + ")",
        "Можно удалить файлов: 1 шт.",
    };
    EXPECT_EQ(UnstampedLines(LinesSince(w, before)), expected);
    EXPECT_TRUE(w.sButtonDownload->isEnabled());
    EXPECT_EQ(w.focusWidget(), w.sButtonDownload);
}

TEST_F(CheckWindow, FailedFetchKeepsTheListsAndTheButtonOfTheCheckBefore) {
    TVantorCompatibility& w = Start();
    ServeManifest({{"a.jar", 1}}, {});
    Check(w);
    ASSERT_TRUE(w.sButtonDownload->isEnabled());

    server.serve("/Update", "gone", 404);
    const std::size_t before = w.StatusLog.LineCount();
    Check(w);

    EXPECT_EQ(UnstampedLines(LinesSince(w, before)),
              (std::vector<std::string>{" ", "=====Проверка совместимости=====", "Конфиг очищен.",
                                        "Ошибка загрузки конфига."}));
    EXPECT_EQ(w.Lists.MissingList, std::vector<std::string>{"a.jar"});
    EXPECT_TRUE(w.sButtonDownload->isEnabled());
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(CheckWindow, NothingToDoDisablesTheRunButton) {
    TVantorCompatibility& w = Start();
    ServeManifest({{"a.jar", 1}}, {});
    Check(w);
    ASSERT_TRUE(w.sButtonDownload->isEnabled());

    home.write(fs::relative(Mods() / "a.jar", home.root()), "now present");
    Check(w);
    EXPECT_TRUE(w.Lists.MissingList.empty());
    EXPECT_FALSE(w.sButtonDownload->isEnabled());
}

TEST_F(CheckWindow, OfflineWritesTwoStepLinesAndChangesNothing) {
    TVantorCompatibility& w = Start();
    ServeManifest({{"a.jar", 1}}, {});
    online = false;
    const std::size_t before = w.StatusLog.LineCount();
    Check(w);

    const std::vector<std::string> lines = LinesSince(w, before);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Unstamped(lines[0]), "Ошибка подключения к серверу.");
    EXPECT_EQ(Unstamped(lines[1]), "Операция отменена.");
    EXPECT_TRUE(Stamped(lines[0]) && Stamped(lines[1]));
    EXPECT_EQ(server.requestCount(), 0u);
    EXPECT_FALSE(w.sButtonDownload->isEnabled());
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(CheckWindow, WaitingForTheManifestLeavesTheWindowAliveAndDisabled) {
    TVantorCompatibility& w = Start();
    server.serveStall("/Update", 1000, "");
    bool timerFired = false;
    QTimer::singleShot(0, &w, [&] { timerFired = true; });

    w.sButtonCheckClick();
    const auto headerShown = [&] {
        return w.sMemo1->toPlainText().contains(QStringLiteral("=====Проверка совместимости====="));
    };
    // Still checking: no input, yet the timer ran and the header line is on the screen.
    EXPECT_TRUE(ProcessUntil([&] { return timerFired && headerShown() && !w.isEnabled(); }, kPromptMs));

    // A folder gone meanwhile changes nothing under the check; the validation after it will.
    fs::remove_all(game);
    w.Timer5Timer();
    EXPECT_TRUE(w.sGroupBox3->isVisible());
}

TEST_F(CheckWindow, ClosingDuringAStalledCheckEndsTheProgramPromptly) {
    TVantorCompatibility& w = Start();
    server.serveStall("/Update", 1000, "");
    QElapsedTimer clock;
    clock.start();
    w.sButtonCheckClick();
    ASSERT_TRUE(ProcessUntil([&] { return server.requestCount() == 1; }, kPromptMs));

    w.close();
    EXPECT_TRUE(ProcessUntil([&] { return desktop.terminations == 1; }, kPromptMs));
    window.reset();  // its threads go with it
    EXPECT_LT(clock.elapsed(), kPromptMs);
}

}  // namespace
}  // namespace packwell::test
