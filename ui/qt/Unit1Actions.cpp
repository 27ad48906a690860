// What the actions show in Qt: the ticks, the enabled states, the waits and the cleanup dialog.
#include <QCheckBox>
#include <QEventLoop>
#include <QPointer>
#include <QPushButton>
#include <memory>
#include <optional>

#include "core/cleanup/CleanupGeometry.h"
#include "ui/qt/FutureAnimations.h"
#include "ui/qt/ScreenSize.h"
#include "ui/qt/Unit1.h"
#include "ui/qt/Unit2.h"
#include "ui/qt/animation/RequestedPlacement.h"

bool TVantorCompatibility::TurboTicked() const { return sCheckBox1->isChecked(); }
bool TVantorCompatibility::SetupsTicked() const { return sCheckBox2->isChecked(); }

void TVantorCompatibility::SetTicks(bool turbo, bool setups) {
    sCheckBox1->setChecked(turbo);
    sCheckBox2->setChecked(setups);
}

std::string TVantorCompatibility::CheckCaption() const { return sButtonCheck->text().toStdString(); }
std::string TVantorCompatibility::DownloadCaption() const { return sButtonDownload->text().toStdString(); }

void TVantorCompatibility::EnableDownload(bool enabled) { sButtonDownload->setEnabled(enabled); }
void TVantorCompatibility::FocusDownload() { sButtonDownload->setFocus(); }
void TVantorCompatibility::FocusButton1() { Button1->setFocus(); }

bool TVantorCompatibility::AwaitFetch(const packwell::window::FetchStarter& start) {
    // Shared with the end handler: closing ends every event loop, this one too, and the
    // handler may then come after this frame is gone.
    auto outcome = std::make_shared<std::optional<packwell::FetchAndOpenOutcome>>();
    QEventLoop wait;
    const QPointer<QEventLoop> waiting(&wait);
    const auto started = start([outcome, waiting](const packwell::FetchAndOpenOutcome& ended) {
        *outcome = ended;
        if (waiting) waiting->quit();
    });
    if (started != packwell::FetchStart::Started) return false;
    if (!*outcome) wait.exec();
    return *outcome && (*outcome)->result == packwell::FetchAndOpenResult::Downloaded;
}

void TVantorCompatibility::ShowCleanupDialog() {
    CleanupDialog->setGeometry(packwell::anim::CurrentGeometry(*this));
    hide();
    CleanupDialog->show();  // fills its list and centres itself at this size
    const QSize screen = PrimaryScreenSize();
    const packwell::WindowRect target = packwell::CleanupDialogTarget(screen.width(), screen.height());
    FutureAnimations::AnimateControl(CleanupDialog.get(), target.left, target.top, target.width, target.height,
                                     packwell::window::kLayoutSpeed, packwell::window::kSizeTask);
}
