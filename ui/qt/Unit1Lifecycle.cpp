// The main window's creation, start-up tick and closing fade.
#include <QPushButton>
#include <QTimer>

#include "ui/qt/FutureAnimations.h"
#include "ui/qt/Unit1.h"
#include "ui/qt/skin/SkinManager.h"
#include "ui/qt/skin/SkinSheets.h"
#include "ui/qt/skin/TitleBar.h"

void TVantorCompatibility::FormCreate() {
    resize(CompactWidth(), CompactHeight());
    sSkinManager1->SetSkinName(skin::kEmerald);
    LoadProgramValues();
    const QString caption = QString::fromStdString(Caption());
    setWindowTitle(caption);
    sTitleBar1->SetCaption(caption);
}

void TVantorCompatibility::FormShow() { Button1->setFocus(); }

std::string TVantorCompatibility::WelcomeText() const {
    return MainWindowState::WelcomeText(sButtonCheck->text().toStdString(), sButtonDownload->text().toStdString());
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
    StopJobs();
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
        FutureAnimations::AnimateControl(this, *to, packwell::window::kClosingSpeed,
                                         std::string(packwell::window::kClosingTask));
    }
    alphaBlend_ = true;
    SetAlpha(step.alpha);
}

void TVantorCompatibility::SetAlpha(int value) {
    alphaBlendValue_ = value;
    setWindowOpacity(value / 255.0);
}
