// Creation, the start-up tick and the closing fade of the main window.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "tests/ui/WindowFixture.h"
#include "ui/qt/skin/SkinManager.h"
#include "ui/qt/skin/TitleBar.h"

namespace packwell::test {
namespace {

using WindowStartup = WindowTest;

TEST_F(WindowStartup, CreationGivesCompactLayoutCaptionSkinAndInitialState) {
    TVantorCompatibility& w = Open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Packwell v1.2.6 - Brenvik 1.12.2"));
    EXPECT_EQ(w.sTitleBar1->Caption(), w.windowTitle());
    EXPECT_EQ(w.size(), QSize(406, 133));
    EXPECT_EQ(w.sSkinManager1->SkinName(), QStringLiteral("Emerald (internal)"));
    EXPECT_EQ(w.sLabel1->text(), QStringLiteral("Неправильный путь к папке с игрой!"));
    EXPECT_FALSE(w.sGroupBox3->isVisible());
    EXPECT_FALSE(w.sGroupBox3->isEnabled());
    EXPECT_FALSE(w.sButtonCopyTL->isVisible());
    EXPECT_FALSE(w.sButtonDownload->isEnabled());
    EXPECT_FALSE(w.sTitleBar1->Item(0)->isVisible());
    EXPECT_TRUE(w.sTitleBar1->Item(1)->isVisible());
    EXPECT_EQ(w.sTitleBar1->Item(0)->text(), QStringLiteral("Setups+"));
    EXPECT_EQ(w.sTitleBar1->Item(1)->text(), QStringLiteral("Forge Install"));
    EXPECT_EQ(w.sTitleBar1->Item(0)->size(), QSize(49, 21));
    EXPECT_EQ(w.sTitleBar1->Item(1)->size(), QSize(70, 21));
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_FALSE(w.Timer5->isActive());
    EXPECT_FALSE(w.Timer6->isActive());
    EXPECT_EQ(w.Timer6->Tag, 0);
    EXPECT_EQ(w.AlphaBlendValue(), 255);
    EXPECT_FALSE(w.AlphaBlend());
    EXPECT_EQ(w.focusWidget(), w.Button1);
    // The values the rest of the program shares.
    EXPECT_EQ(w.GameVersion, "1.12.2");
    EXPECT_EQ(w.ModsUrlPath, "/mods3/");
    EXPECT_EQ(w.AppDataDir, home.appData() / "Quorvane" / "Packwell");
    EXPECT_TRUE(std::filesystem::is_directory(w.AppDataDir));
    EXPECT_EQ(w.SettingsIni->FileName(), w.AppDataDir / "Settings.ini");
    EXPECT_EQ(w.ManifestIni->FileName(), w.AppDataDir / "Update.ini");
}

TEST_F(WindowStartup, StartupTickWritesWelcomeFirstAndStartsValidationWithInvalidFolder) {
    TVantorCompatibility& w = Open();
    w.StatusLog.SetClock([] {
        std::tm t{};
        t.tm_year = 126;
        t.tm_mon = 0;
        t.tm_mday = 5;
        t.tm_hour = 9;
        t.tm_min = 5;
        t.tm_sec = 7;
        t.tm_isdst = -1;
        return std::chrono::system_clock::from_time_t(std::mktime(&t));
    });
    w.Timer1Timer();

    const std::vector<std::string> expected{
        "[9:05:07]    Добро пожаловать :)",
        "   Для начала нажмите «Проверить совместимость»,",
        "а затем «Запуск синхронизации», чтобы синхронизировать",
        "ваш клиент Minecraft с сервером Brenvik 1.12.2.",
    };
    EXPECT_EQ(w.StatusLog.Lines(), expected);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.Timer5->isActive());
    EXPECT_EQ(w.Timer5->interval(), 1000);
    // No game folder under the temporary home: the window stays compact, the panel hidden.
    EXPECT_FALSE(FutureAnimations::IsAnimating());
    EXPECT_EQ(w.size(), QSize(406, 133));
    EXPECT_FALSE(w.sGroupBox1->isVisible());
    // The memo shows the same lines once the queued appends have been handled.
    QCoreApplication::processEvents();
    EXPECT_EQ(w.sMemo1->toPlainText().split('\n').size(), 4);
    EXPECT_TRUE(w.sMemo1->toPlainText().startsWith(QStringLiteral("[9:05:07]    Добро пожаловать :)\n")));
}

TEST_F(WindowStartup, EveryCloseRequestIsRefusedAndStartsTheFade) {
    TVantorCompatibility& w = Open();
    w.Timer1Timer();
    EXPECT_FALSE(w.close());  // the title bar's close button and the system take this path
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.Timer6->Tag, 1);
    EXPECT_TRUE(w.Timer6->isActive());

    w.sButtonExitClick();  // a second request changes nothing
    EXPECT_EQ(w.Timer6->Tag, 1);
    EXPECT_EQ(w.AlphaBlendValue(), 255);
}

TEST_F(WindowStartup, FadeLowersAlphaBy17AndEndsOnSixteenthTick) {
    TVantorCompatibility& w = Open();
    w.Timer1Timer();
    const int topBefore = w.y();
    const int heightBefore = w.height();
    w.FormCloseQuery();
    w.Timer6->stop();  // the ticks are driven by hand

    std::vector<int> alphas;
    for (int tick = 1; tick <= 15; ++tick) {
        w.Timer6Timer();
        alphas.push_back(w.AlphaBlendValue());
        if (tick == 3) {
            w.FormCloseQuery();  // a second close request mid-fade changes nothing
            w.Timer6->stop();
        }
        QThread::msleep(2);
        QCoreApplication::processEvents();  // the collapse animation takes its steps
    }
    const std::vector<int> expected{238, 221, 204, 187, 170, 153, 136, 119, 102, 85, 68, 51, 34, 17, 0};
    EXPECT_EQ(alphas, expected);
    EXPECT_TRUE(w.AlphaBlend());
    EXPECT_EQ(desktop.terminations, 0);
    EXPECT_FALSE(w.Timer5->isActive());
    EXPECT_EQ(FutureAnimations::CurrentAnimationTask(), "Closing");
    EXPECT_LT(w.height(), heightBefore);  // collapsing towards the former middle
    EXPECT_GT(w.y(), topBefore);

    w.Timer6Timer();
    EXPECT_EQ(desktop.terminations, 1);
    EXPECT_EQ(w.AlphaBlendValue(), 0);
}

// With the window's own timers the fade and the collapse are seen together: a frame mid-fade
// already shows the window smaller.
TEST_F(WindowStartup, ClosingFadesWhileItCollapses) {
    TVantorCompatibility& w = Open();
    w.Timer1Timer();
    FinishAnimations();
    const int heightBefore = w.height();
    w.FormCloseQuery();
    bool seenTogether = false;
    QElapsedTimer clock;
    clock.start();
    while (desktop.terminations == 0 && clock.elapsed() < 10000) {
        QCoreApplication::processEvents();
        const int alpha = w.AlphaBlendValue();
        if (alpha >= 50 && alpha <= 200 && w.height() < heightBefore) seenTogether = true;
        QThread::msleep(1);
    }
    EXPECT_EQ(desktop.terminations, 1);
    EXPECT_TRUE(seenTogether) << "the window vanished before it visibly collapsed";
}

TEST_F(WindowStartup, CloseDuringSizeAnimationStopsItWhereItStands) {
    TVantorCompatibility& w = Open();
    w.Timer1Timer();
    FutureAnimations::AnimateControl(&w, FutureAnimations::kKeep, FutureAnimations::kKeep, 830,
                                     FutureAnimations::kKeep, 0.2, "size");
    while (w.width() < 500 && FutureAnimations::IsAnimating()) QCoreApplication::processEvents();
    w.FormCloseQuery();
    w.Timer6->stop();
    w.Timer6Timer();
    const int widthAtClose = w.width();
    EXPECT_LT(widthAtClose, 830);
    FinishAnimations();
    EXPECT_EQ(w.width(), widthAtClose);
    EXPECT_EQ(w.height(), 36);
}

}  // namespace
}  // namespace packwell::test
