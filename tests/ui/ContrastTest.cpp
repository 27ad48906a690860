// Every label and tick box readable in both skins: contrast measured on the rendered pixels.
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>
#include <map>

#include "tests/ui/WindowFixture.h"
#include "ui/qt/Unit2.h"
#include "ui/qt/skin/Controls.h"
#include "ui/qt/skin/SkinManager.h"

namespace packwell::test {
namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(QRgb c) { return 0.2126 * Linear(qRed(c)) + 0.7152 * Linear(qGreen(c)) + 0.0722 * Linear(qBlue(c)); }

double ContrastRatio(QRgb a, QRgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The commonest colour of a region is its background; the ink is the colour farthest from it
// in contrast that covers at least `minPixels` pixels (a stray pixel of a border is no text).
struct Inked {
    QRgb background = 0;
    double contrast = 0;
    int inkPixels = 0;
};

Inked Measure(const QImage& image, const QRect& region, double atLeast, int minPixels) {
    std::map<QRgb, int> counts;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) counts[image.pixel(x, y) | 0xff000000u]++;
    Inked r;
    r.background = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    std::map<double, int, std::greater<>> byContrast;
    for (const auto& [colour, n] : counts) byContrast[ContrastRatio(colour, r.background)] += n;
    int covered = 0;
    for (const auto& [contrast, n] : byContrast) {
        covered += n;
        if (covered >= minPixels) {
            r.contrast = contrast;
            break;
        }
    }
    for (const auto& [contrast, n] : byContrast)
        if (contrast >= atLeast) r.inkPixels += n;
    return r;
}

// The control as it shows in its window, its parents' backgrounds behind it.
QImage Render(const QWidget* control) {
    QImage whole = control->window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint at = control->mapTo(control->window(), QPoint(0, 0));
    return whole.copy(QRect(at, control->size()));
}

class Readable : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(Readable, LabelsAndTickBoxesStandOutFromTheirBackgrounds) {
    TVantorCompatibility& w = Open();
    w.Timer1->stop();
    ASSERT_TRUE(w.sSkinManager1->SetSkinName(QString::fromUtf8(GetParam())));
    // The actions layout, where the tick boxes show.
    w.resize(406, 294);
    w.sGroupBox3->setVisible(true);
    w.sGroupBox3->setEnabled(true);
    w.show();
    w.sLabel1->setText(QStringLiteral("Неправильный путь к папке с игрой!"));
    TVantorCompatibility2& d = *w.CleanupDialog;
    d.show();

    for (QLabel* label : {w.sLabel1, d.sLabel1}) {
        const Inked text = Measure(Render(label), label->rect(), 4.5, 20);
        EXPECT_GE(text.contrast, 4.5) << label->window()->objectName().toStdString() << "."
                                      << label->objectName().toStdString();
    }

    for (QCheckBox* box : {static_cast<QCheckBox*>(w.sCheckBox1), static_cast<QCheckBox*>(w.sCheckBox2)}) {
        const std::string name = box->objectName().toStdString();
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        const QRect caption = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        // The inside of the box, where only a tick may be.
        const QRect inside = indicator.adjusted(3, 3, -3, -3);

        box->setChecked(true);
        const QImage ticked = Render(box);
        EXPECT_GE(Measure(ticked, caption, 4.5, 20).contrast, 4.5) << name << " caption";
        const Inked tick = Measure(ticked, inside, 4.5, 6);
        EXPECT_GE(tick.contrast, 4.5) << name << " tick";

        box->setChecked(false);
        const Inked empty = Measure(Render(box), inside, 4.5, 1);
        EXPECT_EQ(empty.inkPixels, 0) << name << ": an empty box shows a mark";
        EXPECT_EQ(empty.background, tick.background) << name << ": the box changes colour instead of showing a tick";
    }
}

// Message boxes and the folder picker wear the skin too: their text on the skin's background.
TEST_P(Readable, DialogsOfTheProgramShowTheirTextOnTheSkin) {
    TVantorCompatibility& w = Open();
    w.Timer1->stop();
    ASSERT_TRUE(w.sSkinManager1->SetSkinName(QString::fromUtf8(GetParam())));
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Предупреждение"), QStringLiteral("Текст сообщения для игрока"),
                    QMessageBox::Ok, &w);
    box.show();
    QApplication::processEvents();
    const auto* text = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(text, nullptr);
    EXPECT_GE(Measure(Render(text), text->rect(), 4.5, 20).contrast, 4.5);

    QFileDialog picker(&w, QStringLiteral("Выберите папку с игрой"));
    picker.setOption(QFileDialog::DontUseNativeDialog);
    picker.show();
    QApplication::processEvents();
    for (const QLabel* label : picker.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty()) continue;
        EXPECT_GE(Measure(Render(label), label->rect(), 4.5, 20).contrast, 4.5) << label->text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(BothSkins, Readable, ::testing::Values("Emerald (internal)", "Material Dark (internal)"));

}  // namespace
}  // namespace packwell::test
