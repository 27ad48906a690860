// The window's actions: each calls the core and shows the result.
#include <QCheckBox>
#include <QPushButton>

#include "core/cleanup/CleanupGeometry.h"
#include "core/check/CompatibilityCheck.h"
#include "core/extras/SetupsPlus.h"
#include "core/Utf8Path.h"
#include "ui/FutureAnimations.h"
#include "ui/ScreenSize.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/WindowRunHost.h"

namespace {

// Re-enables a window however the scope is left, so an error box never finds it disabled.
class DisabledWhile {
public:
    explicit DisabledWhile(QWidget* window) : window_(window) { window_->setEnabled(false); }
    ~DisabledWhile() { window_->setEnabled(true); }
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

private:
    QWidget* window_;
};

}  // namespace

bool TVantorCompatibility::conecteon() { return packwell::Conecteon(StatusLog, services_.isConnected); }

void TVantorCompatibility::sButtonCheckClick() {
    const packwell::CheckRequest request{BaseUrl, ManifestIni->FileName(), ModsDir, VersionModsDir,
                                         services_.isConnected};
    packwell::CheckResult result = packwell::CheckResult::NoConnection;
    Guarded([&] {
        const DisabledWhile noInput(this);
        result = packwell::RunCompatibilityCheck(StatusLog, request, Lists).result;
    });
    // A check that did not get its manifest leaves the earlier lists and button state.
    if (result != packwell::CheckResult::Checked) return;
    sButtonDownload->setEnabled(Lists.HasWork());
    if (Lists.HasWork()) sButtonDownload->setFocus();
}

void TVantorCompatibility::sButtonDownloadClick() {
    if (!conecteon()) return;
    sButtonDownload->setEnabled(false);
    setEnabled(false);
    packwell::RunRequest request{Lists, {ModsDir, VersionModsDir, BaseUrl, ModsUrlPath}, sCheckBox1->isChecked(),
                                 sCheckBox2->isChecked()};
    const packwell::WorkerBars bars{BarAdapter(1), BarAdapter(2), BarAdapter(3), BarAdapter(4), BarAdapter(5)};
    // Worker end handlers and their lines come back through the window's own event queue.
    auto post = [this](std::function<void()> fn) { QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection); };
    run_ = std::make_unique<packwell::SyncRun>(std::move(request), StatusLog, *runHost_, bars, post);
    // The run enables the window at its end; one that broke off must not leave it dead.
    if (!Guarded([this] { run_->Start(); })) setEnabled(true);
}

std::int32_t TVantorCompatibility::ItemNumber() const {
    return run_ && run_->Dispatcher() ? run_->Dispatcher()->ItemNumber() : 0;
}

void TVantorCompatibility::sCheckBox1MouseUp(Qt::MouseButton) { AnswerToggle(packwell::OptionBox::Turbo, sCheckBox1); }

void TVantorCompatibility::sCheckBox2MouseUp(Qt::MouseButton) { AnswerToggle(packwell::OptionBox::Setups, sCheckBox2); }

// Only the mouse reaches here: a keyboard toggle changes the box and is stored with the next save.
void TVantorCompatibility::AnswerToggle(packwell::OptionBox box, const QCheckBox* checkBox) {
    Button1->setFocus();
    Guarded([&] {
        packwell::AnswerOptionToggle(StatusLog, {box, checkBox->isChecked(), packwell::ToggleSource::Mouse},
                                     [this] { SaveSettings(); });
    });
}

std::function<void(int)> TVantorCompatibility::LayoutSwitch() {
    return [this](int layout) { ChngSize(static_cast<std::uint8_t>(layout)); };
}

bool TVantorCompatibility::StartSetupsPlus() {
    const auto outcome =
        setupsPlus_.Run(packwell::SetupsPlusRequest(BaseUrl, packwell::PathFromUtf8(GameDir), BarAdapter(1), LayoutSwitch()));
    return outcome.result == packwell::FetchAndOpenResult::Downloaded;
}

void TVantorCompatibility::sTitleBar1Items0MouseUp(Qt::MouseButton) {
    Guarded([this] { StartSetupsPlus(); });
}

void TVantorCompatibility::sTitleBar1Items2MouseUp(Qt::MouseButton) {
    Guarded([this] { forge_.Start({BaseUrl, packwell::PathFromUtf8(GameDir), BarAdapter(1), LayoutSwitch()}); });
}

void TVantorCompatibility::ShowCleanupDialog() {
    CleanupDialog->setGeometry(geometry());
    hide();
    CleanupDialog->show();  // fills its list and centres itself at this size
    const QSize screen = PrimaryScreenSize();
    const packwell::WindowRect target = packwell::CleanupDialogTarget(screen.width(), screen.height());
    FutureAnimations::AnimateControl(CleanupDialog.get(), target.left, target.top, target.width, target.height,
                                     0.2, "size");
}
