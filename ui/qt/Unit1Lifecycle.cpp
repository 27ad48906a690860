// The main window's creation, its timers and what the closing fade shows in Qt.
#include <QPushButton>
#include <QTimer>

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

QTimer* TVantorCompatibility::TimerOf(packwell::window::MainTimer timer) const {
    switch (timer) {
    case packwell::window::MainTimer::Startup: return Timer1;
    case packwell::window::MainTimer::Validation: return Timer5;
    case packwell::window::MainTimer::Dispatcher: return Timer6;
    }
    return nullptr;
}

void TVantorCompatibility::StartTimer(packwell::window::MainTimer timer) { TimerOf(timer)->start(); }
void TVantorCompatibility::StopTimer(packwell::window::MainTimer timer) { TimerOf(timer)->stop(); }
bool TVantorCompatibility::TimerActive(packwell::window::MainTimer timer) const { return TimerOf(timer)->isActive(); }
