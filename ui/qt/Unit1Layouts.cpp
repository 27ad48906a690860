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

using FutureAnimations::kKeep;

namespace {

constexpr int kAcross = 13;  // 8 px margin + 5
constexpr int kDown = 36;    // 8 px margin + 28
constexpr double kSpeed = 0.2;
const std::string kSizeTask = "size";
// A safety net only: the animation service gives up on a target it cannot reach, so the
// wait normally ends long before this.
constexpr int kMaxLayoutWaitMs = 30000;

int Bottom(const QWidget* w) { return w->y() + w->height(); }
int Right(const QWidget* w) { return w->x() + w->width(); }

}  // namespace

int TVantorCompatibility::CompactWidth() const { return Right(sGroupBox2) + kAcross; }
int TVantorCompatibility::CompactHeight() const { return Bottom(sGroupBox2) + kDown; }
int TVantorCompatibility::ActionsHeight() const { return Bottom(sGroupBox3) + kDown; }
int TVantorCompatibility::FullWidth() const { return Right(sGroupBox1) + kAcross; }
int TVantorCompatibility::ProgressHeight() const { return Bottom(sProgressBar1) + kDown; }

void TVantorCompatibility::CentreOnScreen() { CentreInWorkArea(*this); }

void TVantorCompatibility::RequestActionsLayout() {
    if (height() != CompactHeight() || ReturnFromCleanup) return;
    const QSize screen = PrimaryScreenSize();
    FutureAnimations::AnimateControl(this, screen.width() / 2 - width() / 2,
                                     screen.height() / 2 - ActionsHeight() / 2, kKeep, ActionsHeight(), kSpeed,
                                     kSizeTask);
}

void TVantorCompatibility::RequestCompactLayout() {
    if ((width() == CompactWidth() && height() == CompactHeight()) || ReturnFromCleanup) return;
    const QSize screen = PrimaryScreenSize();
    // The folder group's bottom without the allowance: the window rests a little below centre.
    FutureAnimations::AnimateControl(this, screen.width() / 2 - CompactWidth() / 2,
                                     screen.height() / 2 - Bottom(sGroupBox2) / 2, CompactWidth(), CompactHeight(),
                                     kSpeed, kSizeTask);
}

void TVantorCompatibility::sGroupBox3MouseMove() {
    if (width() != FullWidth() && height() == ActionsHeight()) {
        const QSize screen = PrimaryScreenSize();
        FutureAnimations::AnimateControl(this, screen.width() / 2 - FullWidth() / 2,
                                         screen.height() / 2 - height() / 2, FullWidth(), kKeep, kSpeed, kSizeTask);
    }
    sGroupBox1->setVisible(true);
}

void TVantorCompatibility::ChngSize(std::uint8_t SScript) {
    int target = 0;
    switch (SScript) {
    case 0:
        for (int i = 1; i <= 5; ++i) ProgressBar(i)->hide();
        sProgressBar1->resize(sProgressBar2->width(), sProgressBar1->height());
        target = ActionsHeight();
        break;
    case 1:
        for (int i = 2; i <= 5; ++i) ProgressBar(i)->hide();
        sProgressBar1->resize(ClientWidth() - 16, sProgressBar1->height());
        sProgressBar1->show();
        target = ProgressHeight();
        break;
    case 2:
        for (int i = 1; i <= 5; ++i) ProgressBar(i)->show();
        sProgressBar1->resize(sProgressBar2->width(), sProgressBar1->height());
        target = ProgressHeight();
        break;
    default:
        return;
    }
    FutureAnimations::AnimateControl(this, kKeep, kKeep, kKeep, target, kSpeed, kSizeTask);
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
