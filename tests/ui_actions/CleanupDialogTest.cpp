// The cleanup dialog at window level: the morph out of the main window, the ticks the
// white-list gives, "Удалить" with its log lines, and the hand-back geometry.
#include <QGroupBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "core/settings/Settings.h"
#include "tests/ui_actions/ActionsFixture.h"
#include "ui/qt/Unit2.h"
#include "ui/qt/skin/TitleBar.h"

namespace packwell::test {
namespace {

namespace fs = std::filesystem;

class CleanupDialog : public ActionsTest {
protected:
    // The dialog shown for `names`, each lying in VersionModsDir.
    TVantorCompatibility2& ShowFor(const std::vector<std::string>& names) {
        TVantorCompatibility& w = *window;
        for (const auto& name : names) home.write(fs::relative(Mods() / name, home.root()), name);
        w.Lists.DeleteList = names;
        w.ShowCleanupDialog();
        return *w.CleanupDialog;
    }

    void SetWhiteList(const std::string& value) const {
        window->SettingsIni->WriteString(settings::kSection, settings::kWhiteList, value);
    }
    std::string WhiteList() const { return window->SettingsIni->ReadString(settings::kSection, settings::kWhiteList, ""); }

    static void Tick(TVantorCompatibility2& d, int row, bool ticked) {
        d.sCheckListBoxDel->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    static std::vector<bool> Ticks(const TVantorCompatibility2& d) {
        std::vector<bool> ticks;
        for (const auto& item : d.Items()) ticks.push_back(item.ticked);
        return ticks;
    }
};

TEST_F(CleanupDialog, MorphsOutOfTheMainWindowToItsOwnSizeCentred) {
    TVantorCompatibility& w = Start();
    w.sGroupBox3MouseMove();
    ASSERT_TRUE(FinishAnimations());
    TVantorCompatibility2& d = ShowFor({"a.jar"});

    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.size(), QSize(830, 294));  // starts at the main window's size
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Очистка лишних файлов"));
    EXPECT_TRUE(d.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(d.sTitleBar1->CloseButton()->isVisible());
    EXPECT_FALSE(d.sGroupBox1MouseDown());  // no drag while it morphs
    ASSERT_TRUE(FinishAnimations());

    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(d.geometry(), QRect(screen.width() / 2 - 276, screen.height() / 2 - 139, 553, 279));
    EXPECT_EQ(d.sClient->size(), QSize(537, 241));
    EXPECT_EQ(d.sGroupBox1->geometry(), QRect(8, 8, 521, 225));
    EXPECT_EQ(d.sCheckListBoxDel->geometry(), QRect(8, 48, 505, 137));
    EXPECT_EQ(d.sButtonDel->geometry(), QRect(8, 192, 505, 25));
    EXPECT_TRUE(d.sGroupBox1MouseDown());

    d.close();  // only "Удалить" ends it
    EXPECT_TRUE(d.isVisible());
}

TEST_F(CleanupDialog, UntickedStaysKeptTickedIsDeletedAndTheLogSaysSo) {
    TVantorCompatibility& w = Start();
    TVantorCompatibility2& d = ShowFor({"a.jar", "b.jar"});
    ASSERT_EQ(Ticks(d), (std::vector<bool>{true, true}));  // empty white-list: all ticked

    Tick(d, 1, false);
    const std::size_t before = w.StatusLog.LineCount();
    d.sButtonDel->click();

    EXPECT_FALSE(fs::exists(Mods() / "a.jar"));
    EXPECT_TRUE(fs::exists(Mods() / "b.jar"));
    EXPECT_EQ(WhiteList(), "b.jar/");
    EXPECT_EQ(LinesSince(w, before),
              (std::vector<std::string>{" ", "======Удаление лишних модов=====", "Удален мод: a.jar",
                                        "=======Завершение удаления======", "Кол-во удаленных файлов: 1"}));

    // Shown again: the kept name starts unticked; ticking it releases it and deletes it.
    w.ShowCleanupDialog();
    ASSERT_EQ(Ticks(d), (std::vector<bool>{true, false}));
    Tick(d, 1, true);
    d.sButtonDel->click();
    EXPECT_FALSE(fs::exists(Mods() / "b.jar"));
    EXPECT_EQ(WhiteList(), "");
    EXPECT_EQ(w.StatusLog.Lines().back(), "Кол-во удаленных файлов: 1");
    // a.jar was listed but had gone already.
    EXPECT_NE(std::find(w.StatusLog.Lines().begin(), w.StatusLog.Lines().end(), "Ошибка удаления мода: a.jar"),
              w.StatusLog.Lines().end());
}

// A value the old program wrote (names run together) counts a.jar as kept inside xa.jar; one
// this program wrote keeps only whole names.
TEST_F(CleanupDialog, NameInsideAKeptLongerNameIsKeptOnlyByAnOldValue) {
    TVantorCompatibility& w = Start();
    SetWhiteList("xa.jar");
    TVantorCompatibility2& d = ShowFor({"a.jar", "xa.jar"});
    ASSERT_EQ(Ticks(d), (std::vector<bool>{false, false}));

    Tick(d, 0, true);
    d.sButtonDel->click();
    EXPECT_FALSE(fs::exists(Mods() / "a.jar"));
    EXPECT_EQ(WhiteList(), "xa.jar/");  // kept whole, not cut down to "x"
    EXPECT_EQ(w.StatusLog.Lines().back(), "Кол-во удаленных файлов: 1");

    w.Lists.DeleteList = {"a.jar", "xa.jar"};
    w.ShowCleanupDialog();
    EXPECT_EQ(Ticks(d), (std::vector<bool>{true, false}));
}

TEST_F(CleanupDialog, NothingTickedDeletesNothingAndWritesNoClosingLine) {
    TVantorCompatibility& w = Start();
    TVantorCompatibility2& d = ShowFor({"a.jar", "b.jar"});
    Tick(d, 0, false);
    Tick(d, 1, false);
    const std::size_t before = w.StatusLog.LineCount();
    d.sButtonDel->click();

    EXPECT_TRUE(fs::exists(Mods() / "a.jar"));
    EXPECT_TRUE(fs::exists(Mods() / "b.jar"));
    EXPECT_EQ(LinesSince(w, before),
              (std::vector<std::string>{" ", "======Удаление лишних модов=====", "Кол-во удаленных файлов: 0"}));
}

TEST_F(CleanupDialog, WhiteListThatCannotBeWrittenDeletesNothingButStillHandsBack) {
    TVantorCompatibility& w = Start();
    TVantorCompatibility2& d = ShowFor({"a.jar"});
    fs::remove(w.SettingsIni->FileName());
    fs::create_directories(w.SettingsIni->FileName());  // a folder in its place: the write fails

    QString boxText;
    bool dialogUnderTheBox = true;
    QTimer closer;  // answers the error box, which runs its own event loop
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxText = box->text();
            dialogUnderTheBox = d.isVisible();  // a box under an always-on-top dialog would be hidden
            box->accept();
        }
    });
    closer.start(10);
    const std::size_t before = w.StatusLog.LineCount();
    d.sButtonDel->click();

    EXPECT_FALSE(boxText.isEmpty());
    EXPECT_FALSE(dialogUnderTheBox);
    EXPECT_TRUE(fs::exists(Mods() / "a.jar"));
    EXPECT_EQ(w.StatusLog.LineCount(), before);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isEnabled());
}

// Odd full width and actions height put the centre on a half pixel: it rounds to even.
TEST_F(CleanupDialog, HandsBackAtFullWidthAndActionsHeightCentredHalvesToEven) {
    TVantorCompatibility& w = Start();
    w.setEnabled(false);  // as a run leaves it
    w.sGroupBox1->resize(418, w.sGroupBox1->height());  // full width 831
    w.sGroupBox3->resize(w.sGroupBox3->width(), 162);   // actions height 295
    TVantorCompatibility2& d = ShowFor({"a.jar"});
    ASSERT_TRUE(FinishAnimations());
    d.sButtonDel->click();

    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_TRUE(w.ReturnFromCleanup);
    EXPECT_TRUE(w.sGroupBox1->isVisible());
    EXPECT_EQ(w.size(), QSize(553, 279));  // starts at the dialog's size
    ASSERT_TRUE(FinishAnimations());

    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    auto halfEven = [](int twice) {  // twice the exact value, rounded half to even
        const int down = twice >= 0 ? twice / 2 : -((-twice + 1) / 2);
        return twice % 2 == 0 || down % 2 == 0 ? down : down + 1;
    };
    EXPECT_EQ(w.geometry(), QRect(halfEven(screen.width() - 831), halfEven(screen.height() - 295), 831, 295));
}

}  // namespace
}  // namespace packwell::test
