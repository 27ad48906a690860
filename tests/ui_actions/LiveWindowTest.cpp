// A server that accepts the request and then sends nothing: the window goes on handling its
// events while the check or an item's download waits, and closing ends the program well
// before the transfer would give up by itself (about a minute).
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "core/extras/ForgeInstall.h"
#include "core/extras/SetupsPlus.h"
#include "tests/ui_actions/ActionsFixture.h"

namespace packwell::test {
namespace {

// Far below the transfer's own minute, far above what closing takes.
constexpr int kPromptMs = 10000;

class LiveWindow : public ActionsTest {
protected:
    // Closes the window and handles events until the fade has ended the program; then the
    // window goes, its threads with it.
    void CloseToTheEnd(TVantorCompatibility& w) {
        w.close();
        EXPECT_TRUE(ProcessUntil([&] { return desktop.terminations == 1; }, kPromptMs));
        window.reset();
    }
};

TEST_F(LiveWindow, CheckWaitingForTheManifestLeavesTheWindowAliveAndDisabled) {
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
    std::filesystem::remove_all(game);
    w.Timer5Timer();
    EXPECT_TRUE(w.sGroupBox3->isVisible());
}

TEST_F(LiveWindow, ClosingDuringAStalledCheckEndsTheProgramPromptly) {
    TVantorCompatibility& w = Start();
    server.serveStall("/Update", 1000, "");
    QElapsedTimer clock;
    clock.start();
    w.sButtonCheckClick();
    ASSERT_TRUE(ProcessUntil([&] { return server.requestCount() == 1; }, kPromptMs));
    CloseToTheEnd(w);
    EXPECT_LT(clock.elapsed(), kPromptMs);
}

struct ItemCase {
    const char* name;
    void (TVantorCompatibility::*press)(Qt::MouseButton);
    const char* file;
};

void PrintTo(const ItemCase& c, std::ostream* os) { *os << c.name; }

class LiveWindowItem : public LiveWindow, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(LiveWindowItem, ClosingDuringAStalledDownloadEndsTheProgramPromptlyAndOpensNothing) {
    TVantorCompatibility& w = Start();
    server.serveStall(std::string("/") + GetParam().file, 1000, "");
    // The press waits for its download while the window handles events: close from there.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &w, [&] {
        if (server.requestCount() == 0) return;
        closer.stop();
        w.close();
    });
    closer.start(5);
    QElapsedTimer clock;
    clock.start();

    (w.*GetParam().press)(Qt::LeftButton);

    EXPECT_LT(clock.elapsed(), kPromptMs);
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(std::filesystem::exists(game / GetParam().file));
    EXPECT_TRUE(ProcessUntil([&] { return desktop.terminations == 1; }, kPromptMs));
    window.reset();
    EXPECT_LT(clock.elapsed(), kPromptMs);
}

INSTANTIATE_TEST_SUITE_P(
    Items, LiveWindowItem,
    ::testing::Values(ItemCase{"SetupsPlus", &TVantorCompatibility::sTitleBar1Items0MouseUp, kSetupsFileName},
                      ItemCase{"Forge", &TVantorCompatibility::sTitleBar1Items2MouseUp, kForgeInstallerName}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace packwell::test
