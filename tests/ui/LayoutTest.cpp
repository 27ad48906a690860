// The progress-bar layouts, the status panel reveal, the drag, and text that fits its control.
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "tests/ui/WindowFixture.h"
#include "ui/qt/skin/SkinManager.h"
#include "ui/qt/skin/SkinSheets.h"
#include "ui/qt/skin/TitleBar.h"

namespace packwell::test {
namespace {

class Layouts : public WindowTest {
protected:
    // The window as it stands once the folder is valid: the actions layout.
    TVantorCompatibility& AtActions() {
        TVantorCompatibility& w = Open();
        w.Timer1->stop();
        w.resize(w.width(), 294);
        return w;
    }

    std::vector<bool> BarsShown() const {
        std::vector<bool> shown;
        for (int i = 1; i <= 5; ++i) shown.push_back(window->ProgressBar(i)->isVisible());
        return shown;
    }
};

TEST_F(Layouts, OuterSizesAreThoseOfTheWindowDefinition) {
    TVantorCompatibility& w = Open();
    EXPECT_EQ(w.CompactWidth(), 406);
    EXPECT_EQ(w.CompactHeight(), 133);
    EXPECT_EQ(w.ActionsHeight(), 294);
    EXPECT_EQ(w.FullWidth(), 830);
    EXPECT_EQ(w.ProgressHeight(), 317);
}

TEST_F(Layouts, OneBarSpansTheClientAreaAndFiveBarsThenNoneRestoreTheDefinition) {
    TVantorCompatibility& w = AtActions();
    w.ChngSize(1);
    EXPECT_EQ(w.height(), 317);
    EXPECT_EQ(BarsShown(), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(w.sProgressBar1->width(), w.ClientWidth() - 16);
    EXPECT_EQ(w.sProgressBar1->x() + w.sProgressBar1->width() + 8, w.ClientWidth());

    w.ChngSize(2);
    EXPECT_EQ(BarsShown(), (std::vector<bool>(5, true)));
    EXPECT_EQ(w.sProgressBar1->width(), 155);

    w.ChngSize(0);
    EXPECT_EQ(w.height(), 294);
    EXPECT_EQ(BarsShown(), (std::vector<bool>(5, false)));
    EXPECT_EQ(w.sProgressBar1->width(), 155);
}

TEST_F(Layouts, OneBarAtProgressHeightDoesNotWaitAndUnknownLayoutDoesNothing) {
    TVantorCompatibility& w = AtActions();
    w.resize(830, 317);
    w.ProgressBar(3)->show();
    w.ChngSize(1);
    EXPECT_EQ(w.sProgressBar1->width(), 808);
    EXPECT_EQ(BarsShown(), (std::vector<bool>{true, false, false, false, false}));
    FinishAnimations();

    w.ChngSize(7);
    EXPECT_FALSE(FutureAnimations::IsAnimating());
    EXPECT_EQ(w.height(), 317);
    EXPECT_EQ(w.sProgressBar1->width(), 808);
    EXPECT_EQ(BarsShown(), (std::vector<bool>{true, false, false, false, false}));
}

TEST_F(Layouts, WaitEndsWhenItsAnimationIsStoppedOrTheWindowCloses) {
    TVantorCompatibility& w = AtActions();
    QTimer::singleShot(0, [] { FutureAnimations::StopAnimations(); });
    w.ChngSize(1);
    EXPECT_LT(w.height(), 317);

    w.resize(w.width(), 294);
    QTimer::singleShot(0, &w, [&w] { w.close(); });
    w.ChngSize(2);  // the closing fade takes over; the caller is not held
    EXPECT_TRUE(w.Closing());
    EXPECT_NE(w.height(), 317);
}

TEST_F(Layouts, MouseOverActionsWidensOnlyFromTheActionsHeight) {
    TVantorCompatibility& w = AtActions();
    w.sGroupBox3MouseMove();
    EXPECT_TRUE(w.sGroupBox1->isVisible());
    ASSERT_TRUE(FinishAnimations());
    EXPECT_EQ(w.size(), QSize(830, 294));

    // At the progress height the width stays; the panel is shown within it.
    w.resize(406, 317);
    w.sGroupBox1->hide();
    w.sGroupBox3MouseMove();
    EXPECT_FALSE(FutureAnimations::IsAnimating());
    EXPECT_EQ(w.width(), 406);
    EXPECT_TRUE(w.sGroupBox1->isVisible());
}

TEST_F(Layouts, DragMovesTheWindowButNotWhileAnythingAnimates) {
    TVantorCompatibility& w = Open();
    w.Timer1->stop();
    auto dragLabelBy = [&w](QPoint delta) {
        const QPoint start = w.sLabel1->rect().center();
        const QPoint startGlobal = w.sLabel1->mapToGlobal(start);
        QMouseEvent press(QEvent::MouseButtonPress, start, startGlobal, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.sLabel1, &press);
        QMouseEvent move(QEvent::MouseMove, start + delta, startGlobal + delta, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w.sLabel1, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, start + delta, startGlobal + delta, Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w.sLabel1, &release);
    };

    FutureAnimations::AnimateControl(w.sButtonCopyTL, FutureAnimations::kKeep, FutureAnimations::kKeep, 20,
                                     FutureAnimations::kKeep, 0.001, "CopyTL");
    const QPoint before = w.pos();
    dragLabelBy({40, 30});
    EXPECT_EQ(w.pos(), before);
    EXPECT_FALSE(w.sLabel1MouseDown());

    FutureAnimations::StopAnimations();
    w.sButtonSetFolder->setFocus();
    dragLabelBy({40, 30});
    EXPECT_EQ(w.pos(), before + QPoint(40, 30));
    EXPECT_EQ(w.focusWidget(), w.Button1);
}

// Fixed-size controls with the fonts this machine has: a word cut short is a fault.
class TextFits : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(TextFits, EveryCaptionFitsItsControl) {
    TVantorCompatibility& w = Open();
    w.Timer1->stop();
    ASSERT_TRUE(w.sSkinManager1->SetSkinName(QString::fromUtf8(GetParam())));
    w.sTitleBar1->Item(0)->show();
    w.sLabel1->setText(QStringLiteral("Неправильный путь к папке с игрой!"));

    for (QPushButton* b : {w.sButtonOpenFolder, w.sButtonSetFolder, w.sButtonCopyTL, w.sButtonCheck,
                           w.sButtonDownload, w.sButtonExit}) {
        b->ensurePolished();
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 4, b->width()) << b->objectName().toStdString();
    }
    for (QCheckBox* c : {static_cast<QCheckBox*>(w.sCheckBox1), static_cast<QCheckBox*>(w.sCheckBox2)}) {
        c->ensurePolished();
        EXPECT_LE(c->sizeHint().width(), c->width()) << c->objectName().toStdString();
        EXPECT_LE(c->fontMetrics().height(), c->height()) << c->objectName().toStdString();
    }
    for (const QString& text : {QStringLiteral("Неправильный путь к папке с игрой!"),
                                QStringLiteral("Версия 1.12.2 отсутствует!"), QStringLiteral("Правильная директория!"),
                                QStringLiteral("Скопировано в буфер обмена")}) {
        EXPECT_LE(w.sLabel1->fontMetrics().horizontalAdvance(text), w.sLabel1->width()) << text.toStdString();
    }
    // The caption ends before the first title-bar item, even in the compact layout.
    EXPECT_LE(w.sTitleBar1->CaptionLabel()->geometry().right(), w.sTitleBar1->Item(0)->geometry().left());
    EXPECT_GE(w.sTitleBar1->CaptionLabel()->width(),
              w.sTitleBar1->CaptionLabel()->fontMetrics().horizontalAdvance(w.sTitleBar1->Caption()));
    for (int i = 0; i < w.sTitleBar1->ItemCount(); ++i) {
        auto* item = w.sTitleBar1->Item(i);
        EXPECT_LE(item->fontMetrics().horizontalAdvance(item->text()), item->width() - 4);
    }
}

INSTANTIATE_TEST_SUITE_P(BothSkins, TextFits, ::testing::Values("Emerald (internal)", "Material Dark (internal)"));

}  // namespace
}  // namespace packwell::test
