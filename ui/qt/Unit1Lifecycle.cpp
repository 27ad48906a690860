// The main window's creation, start-up tick and closing fade.
#include <QPushButton>
#include <QTimer>

#include "core/settings/SharedValues.h"
#include "ui/qt/FutureAnimations.h"
#include "ui/qt/Unit1.h"
#include "ui/qt/skin/SkinManager.h"
#include "ui/qt/skin/SkinSheets.h"
#include "ui/qt/skin/TitleBar.h"

void TVantorCompatibility::FormCreate() {
    resize(CompactWidth(), CompactHeight());
    sSkinManager1->SetSkinName(skin::kEmerald);
    GameVersion = packwell::kGameVersion;
    const QString caption = QStringLiteral("Packwell v1.2.6 - Brenvik ") + QString::fromStdString(GameVersion);
    setWindowTitle(caption);
    sTitleBar1->SetCaption(caption);
    BaseUrl = packwell::BaseUrl();
    AppDataDir = packwell::AppDataDir();
    packwell::EnsureAppDataDir();
    SettingsIni = std::make_unique<packwell::IniFile>(packwell::SettingsIniPath());
    ManifestIni = std::make_unique<packwell::IniFile>(packwell::ManifestIniPath());
    ModsUrlPath = packwell::kModsUrlPath;
}

void TVantorCompatibility::FormShow() { Button1->setFocus(); }

std::string TVantorCompatibility::WelcomeText() const {
    return "   Добро пожаловать :)\r\n   Для начала нажмите «" + sButtonCheck->text().toStdString() + "»," +
           "\r\n" + "а затем «" + sButtonDownload->text().toStdString() + "», чтобы синхронизировать" + "\r\n" +
           "ваш клиент Minecraft с сервером Brenvik " + GameVersion + ".";
}

void TVantorCompatibility::Timer1Timer() {
    Timer1->stop();
    // A launcher file that cannot be read is shown to the user, but the window still starts:
    // without the rest of this step the folder would never be validated again.
    Guarded([this] { LoadSettings(); });
    Console(WelcomeText());
    Guarded([this] { ValidateGameFolder(); });
    Timer5->start();
}

void TVantorCompatibility::sButtonExitClick() { close(); }

bool TVantorCompatibility::FormCloseQuery() {
    // Turbo workers, the check's manifest fetch and the items' downloads stop now; their
    // cut-off downloads leave nothing under a file's name, and nothing starts any more.
    if (run_) run_->Cancel();
    check_.Stop();
    setupsPlus_.Stop();
    forge_.Stop();
    Timer6->Tag = 1;
    if (!Timer6->isActive()) Timer6->start();  // a repeated request must not hold the fade back
    return false;
}

bool TVantorCompatibility::Closing() const { return Timer6->Tag == 1; }

void TVantorCompatibility::Timer6Timer() {
    if (Timer6->Tag == 1) {
        ClosingStep();
        return;
    }
    if (!run_) return;
    try {
        run_->Tick();
    } catch (const std::exception& e) {
        // Stopped before the box: a dispatcher that raised would raise again every millisecond.
        Timer6->stop();
        setEnabled(true);
        ShowError(e);
    }
}

void TVantorCompatibility::ClosingStep() {
    using packwell::window::ClosingStep;
    const ClosingStep step = closing_.Tick(alphaBlendValue_, FutureAnimations::CurrentAnimationTask(), y(), height());
    switch (step.action) {
    case ClosingStep::Action::Nothing: return;
    case ClosingStep::Action::End:
        Timer6->stop();
        services_.terminate();
        return;
    case ClosingStep::Action::Fade: break;
    }
    if (const auto& to = step.collapse) {
        Timer5->stop();
        FutureAnimations::StopAnimations();
        FutureAnimations::AnimateControl(this, to->Left, to->Top, to->Width, to->Height, packwell::window::kClosingSpeed,
                                         std::string(packwell::window::kClosingTask));
    }
    alphaBlend_ = true;
    SetAlpha(step.alpha);
}

void TVantorCompatibility::SetAlpha(int value) {
    alphaBlendValue_ = value;
    setWindowOpacity(value / 255.0);
}
