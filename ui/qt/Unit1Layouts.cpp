// The main window's layouts: their sizes, the requests that reach them, the progress-bar switch,
// the status panel reveal and the drag rule.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QThread>

#include "ui/qt/FutureAnimations.h"
#include "ui/qt/ScreenSize.h"
#include "ui/qt/Unit1.h"
#include "ui/window/MainLayouts.h"

namespace {

// A safety net only: the animation service gives up on a target it cannot reach, so the
// wait normally ends long before this.
constexpr int kMaxLayoutWaitMs = 30000;

int Bottom(const QWidget* w) { return w->y() + w->height(); }
int Right(const QWidget* w) { return w->x() + w->width(); }

packwell::window::Size ScreenSize() {
    const QSize screen = PrimaryScreenSize();
    return {screen.width(), screen.height()};
}

// Runs a layout request on the window, when there is one.
void Animate(QWidget* window, const std::optional<packwell::anim::Targets>& to) {
    if (to) FutureAnimations::AnimateControl(window, *to, packwell::window::kLayoutSpeed, packwell::window::kSizeTask);
}

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

void TVantorCompatibility::CentreOnScreen() { CentreInWorkArea(*this); }

void TVantorCompatibility::RequestActionsLayout() {
    Animate(this, packwell::window::ActionsLayoutRequest({width(), height()}, Layouts(), ScreenSize(), ReturnFromCleanup));
}

void TVantorCompatibility::RequestCompactLayout() {
    Animate(this, packwell::window::CompactLayoutRequest({width(), height()}, Layouts(), Bottom(sGroupBox2),
                                                         ScreenSize(), ReturnFromCleanup));
}

void TVantorCompatibility::sGroupBox3MouseMove() {
    Animate(this, packwell::window::StatusPanelRequest({width(), height()}, Layouts(), ScreenSize()));
    sGroupBox1->setVisible(true);
}

void TVantorCompatibility::ChngSize(std::uint8_t SScript) {
    const auto bars = packwell::window::BarsLayoutFor(SScript, Layouts());
    if (!bars) return;
    for (int i = 1; i <= 5; ++i) ProgressBar(i)->setVisible(bars->shown[i - 1]);
    sProgressBar1->resize(bars->firstBarAcross ? ClientWidth() - 16 : sProgressBar2->width(), sProgressBar1->height());
    const int target = bars->height;
    FutureAnimations::AnimateControl(this, FutureAnimations::kKeep, FutureAnimations::kKeep, FutureAnimations::kKeep,
                                     target, packwell::window::kLayoutSpeed, packwell::window::kSizeTask);
    // The caller goes on once the height is there, or once it can no longer come: the request
    // was cut short and nothing animates, or the program is closing.
    const QDeadlineTimer bound(kMaxLayoutWaitMs);
    while (height() != target && FutureAnimations::IsAnimating() && !Closing() && !bound.hasExpired()) {
        QThread::msleep(1);
        QCoreApplication::processEvents();
    }
}

bool TVantorCompatibility::sLabel1MouseDown() {
    if (FutureAnimations::IsAnimating()) return false;
    Button1->setFocus();
    return true;
}

void TVantorCompatibility::sMemo1DblClick() {
    std::filesystem::path file;
    try {
        file = StatusLog.Export();
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QStringLiteral("Статус"),
                              QStringLiteral("Не удалось сохранить статус в файл «Packwell - Статус.txt».\n%1")
                                  .arg(QString::fromUtf8(e.what())));
        return;
    }
    Guarded([&] { services_.openTextFile(file); });
}
