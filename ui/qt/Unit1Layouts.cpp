// The main window's layouts in Qt: the sizes from the controls' places, the animation service,
// the bars, the status panel and the log export.
#include <QCoreApplication>
#include <QGroupBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QThread>

#include "ui/qt/FutureAnimations.h"
#include "ui/qt/ScreenSize.h"
#include "ui/qt/Unit1.h"
#include "ui/qt/animation/RequestedPlacement.h"
#include "ui/window/MainLayouts.h"

namespace {

int Bottom(const QWidget* w) { return w->y() + w->height(); }
int Right(const QWidget* w) { return w->x() + w->width(); }

}  // namespace

packwell::window::MainLayouts TVantorCompatibility::Layouts() const {
    return packwell::window::MainLayouts::From({Right(sGroupBox2), Bottom(sGroupBox2), Bottom(sGroupBox3),
                                                Right(sGroupBox1), Bottom(sProgressBar1)});
}

int TVantorCompatibility::CompactWidth() const { return Layouts().compactWidth; }
int TVantorCompatibility::CompactHeight() const { return Layouts().compactHeight; }
int TVantorCompatibility::ActionsHeight() const { return Layouts().actionsHeight; }
int TVantorCompatibility::FullWidth() const { return Layouts().fullWidth; }
int TVantorCompatibility::ProgressHeight() const { return Layouts().progressHeight; }
int TVantorCompatibility::FolderGroupBottom() const { return Bottom(sGroupBox2); }

// The size last asked for while a window manager may still be answering: decisions are taken
// on where the window is going, not on where it was a moment ago.
packwell::window::Size TVantorCompatibility::WindowSize() const {
    const QSize size = packwell::anim::CurrentGeometry(*this).size();
    return {size.width(), size.height()};
}

packwell::window::Size TVantorCompatibility::ScreenSize() const {
    const QSize screen = PrimaryScreenSize();
    return {screen.width(), screen.height()};
}

void TVantorCompatibility::CentreOnScreen() { CentreInWorkArea(*this); }

void TVantorCompatibility::AnimateWindow(const packwell::anim::Targets& to, double speed, const std::string& task) {
    FutureAnimations::AnimateControl(this, to, speed, task);
}

bool TVantorCompatibility::Animating() const { return FutureAnimations::IsAnimating(); }
std::string TVantorCompatibility::AnimationTask() const { return FutureAnimations::CurrentAnimationTask(); }
void TVantorCompatibility::StopAnimations() { FutureAnimations::StopAnimations(); }

void TVantorCompatibility::PumpEvents() {
    QThread::msleep(1);
    QCoreApplication::processEvents();
}

void TVantorCompatibility::ShowStatusGroup() { sGroupBox1->setVisible(true); }

void TVantorCompatibility::ShowBars(const packwell::window::BarsLayout& bars) {
    for (int i = 1; i <= 5; ++i) ProgressBar(i)->setVisible(bars.shown[i - 1]);
    sProgressBar1->resize(bars.firstBarAcross ? ClientWidth() - 16 : sProgressBar2->width(), sProgressBar1->height());
}

void TVantorCompatibility::ScrollLogToEnd() {
    QScrollBar* bar = sMemo1->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void TVantorCompatibility::OpenTextFile(const std::filesystem::path& file) { services_.openTextFile(file); }

void TVantorCompatibility::ShowExportError(const std::string& reason) {
    QMessageBox::critical(this, QStringLiteral("Статус"),
                          QStringLiteral("Не удалось сохранить статус в файл «Packwell - Статус.txt».\n%1")
                              .arg(QString::fromStdString(reason)));
}
