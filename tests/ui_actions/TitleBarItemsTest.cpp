// "Setups+" and "Forge Install": a fresh copy fetched into the game folder and opened, with
// one bar meanwhile; a press during the item's own download does nothing; closing while the
// server holds the download up ends the program at once.
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTimer>

#include "core/extras/ForgeInstall.h"
#include "core/extras/SetupsPlus.h"
#include "tests/ui_actions/ActionsFixture.h"

namespace packwell::test {
namespace {

namespace fs = std::filesystem;

struct ItemCase {
    const char* name;
    void (TVantorCompatibility::*press)(Qt::MouseButton);
    const char* file;
};

void PrintTo(const ItemCase& c, std::ostream* os) { *os << c.name; }

class TitleBarItem : public ActionsTest, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(TitleBarItem, ReplacesTheOldCopyOpensItAndIgnoresAPressDuringItsDownload) {
    TVantorCompatibility& w = Start();
    const ItemCase& item = GetParam();
    const std::string remote = std::string("/") + item.file;
    server.serveChunks(remote, {"MZ", "-fresh", "-copy"});
    home.write(fs::relative(game / item.file, home.root()), "old copy");
    const std::size_t logged = w.StatusLog.LineCount();

    bool pressedAgain = false;
    QTimer::singleShot(0, &w, [&] {
        (w.*item.press)(Qt::LeftButton);
        pressedAgain = true;
    });
    (w.*item.press)(Qt::RightButton);

    EXPECT_TRUE(pressedAgain);  // it came while the first press was fetching
    const auto requests = server.requests();
    EXPECT_EQ(std::count_if(requests.begin(), requests.end(), [&](const auto& r) { return r.path == remote; }), 1);
    EXPECT_EQ(readFile(game / item.file), "MZ-fresh-copy");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].file, game / item.file);
    EXPECT_EQ(opened[0].workingDir, game);
    EXPECT_EQ(w.StatusLog.LineCount(), logged);  // nothing is logged
    EXPECT_FALSE(w.sProgressBar1->isVisible());
    EXPECT_EQ(w.height(), w.ActionsHeight());
    EXPECT_TRUE(w.isEnabled());
}

TEST_P(TitleBarItem, MissingOnTheServerOpensNothingAndReturnsToTheLayoutWithoutBars) {
    TVantorCompatibility& w = Start();
    (w.*GetParam().press)(Qt::LeftButton);
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(fs::exists(game / GetParam().file));
    EXPECT_EQ(w.height(), w.ActionsHeight());
}

TEST_P(TitleBarItem, ClosingDuringAStalledDownloadEndsTheProgramPromptlyAndOpensNothing) {
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
    EXPECT_FALSE(fs::exists(game / GetParam().file));
    EXPECT_TRUE(ProcessUntil([&] { return desktop.terminations == 1; }, kPromptMs));
    window.reset();
    EXPECT_LT(clock.elapsed(), kPromptMs);
}

INSTANTIATE_TEST_SUITE_P(
    Items, TitleBarItem,
    ::testing::Values(ItemCase{"SetupsPlus", &TVantorCompatibility::sTitleBar1Items0MouseUp, kSetupsFileName},
                      ItemCase{"Forge", &TVantorCompatibility::sTitleBar1Items2MouseUp, kForgeInstallerName}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace packwell::test
