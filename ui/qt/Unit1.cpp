#include "ui/qt/Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "ui/qt/ErrorBox.h"
#include "ui/qt/TickInterval.h"
#include "ui/qt/FutureAnimations.h"
#include "ui/qt/QtProgressBar.h"
#include "ui/qt/Unit2.h"
#include "ui/qt/animation/RequestedPlacement.h"
#include "ui/window/MainControls.h"
#include "ui/qt/skin/Fonts.h"
#include "ui/qt/skin/SkinManager.h"
#include "ui/qt/skin/TitleBar.h"
#include "ui/qt/skin/WindowDrag.h"

namespace {

// 0xBBGGRR colours of the window definition.
const QString kCaptionColour = QStringLiteral("color: rgb(230, 238, 255);");  // 16772838
const QString kLabelColour = QStringLiteral("color: rgb(239, 239, 239);");    // 15724527

QString Hint(const char* text) {
    return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text, QRect geometry) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(skin::ComicSans(12));
    button->setGeometry(geometry);
    return button;
}

QRect ToQRect(const packwell::WindowRect& r) { return {r.left, r.top, r.width, r.height}; }

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFont(skin::ComicSans(8, true));
    box->setGeometry(geometry);
    return box;
}

}  // namespace

TVantorCompatibility::TVantorCompatibility(WindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      MainWindowState(UiPoster(), [this](const auto& file, const auto& dir) { services_.openProgram(file, dir); }),
      sPathDialog1(services.chooseFolder),
      services_(std::move(services)) {
    setObjectName(QStringLiteral("TVantorCompatibility"));
    packwell::anim::TrackRequestedPlacement(*this);  // what the animations start from
    setAttribute(Qt::WA_StyledBackground);
    setFont(skin::Tahoma(8));
    BuildTitleBar();
    BuildControls();
    WireEvents();
    StatusLog.SetListener([this](const std::vector<std::string>& lines) {
        // Queued even from this thread, so lines from workers and from here keep one order.
        QMetaObject::invokeMethod(this, [this, lines] { AppendToMemo(lines); }, Qt::QueuedConnection);
    });
    for (int i = 0; i < 5; ++i) barAdapters_[i] = std::make_unique<packwell::ui::QtProgressBar>(ProgressBar(i + 1));
    FormCreate();
    CleanupDialog = std::make_unique<TVantorCompatibility2>(*this);
}

TVantorCompatibility::~TVantorCompatibility() {
    StatusLog.SetListener(nullptr);
    // Running workers are stopped and joined while the bars and the log they use still exist.
    EndRun();
}

packwell::PostToUi TVantorCompatibility::UiPoster() {
    return [this](std::function<void()> fn) {
        QMetaObject::invokeMethod(this, [this, fn = std::move(fn)] { Guarded(fn); }, Qt::QueuedConnection);
    };
}

void TVantorCompatibility::BuildTitleBar() {
    sTitleBar1 = new skin::TsTitleBar(this);
    auto* setupsPlus = sTitleBar1->AddItem(QStringLiteral("Setups+"), 49, 21);
    setupsPlus->setToolTip(Hint("Загрузка и запуск\r\nдополнительных настроек"));
    setupsPlus->setCursor(Qt::WhatsThisCursor);
    setupsPlus->hide();
    sTitleBar1->AddItem(QStringLiteral("Forge Install"), 70, 21);
}

void TVantorCompatibility::BuildControls() {
    sClient = new QWidget(this);
    sClient->setObjectName(QStringLiteral("sClient"));
    sClient->setAttribute(Qt::WA_StyledBackground);
    sClient->move(kFrame, skin::TsTitleBar::kHeight);

    sGroupBox2 = MakeGroupBox(sClient, "sGroupBox2", "Путь к папке с игрой", ToQRect(packwell::window::kFolderGroup));
    sGroupBox2->setStyleSheet(QStringLiteral("QGroupBox { %1 }").arg(kCaptionColour));
    sEdit1 = new QLineEdit(sGroupBox2);
    sEdit1->setObjectName(QStringLiteral("sEdit1"));
    sEdit1->setGeometry(8, 19, 289, 24);
    sEdit1->setReadOnly(true);
    sEdit1->setCursor(Qt::ArrowCursor);
    sEdit1->setFont(skin::ComicSans(8, true));
    sEdit1->setStyleSheet(kCaptionColour);
    sEdit1->setToolTip(Hint("Двойной клик чтобы скопировать в буфер обмена"));
    sButtonOpenFolder = MakeButton(sGroupBox2, "sButtonOpenFolder", "Открыть", {296, 19, 81, 21});
    sLabel1 = new QLabel(QStringLiteral("Неправильный путь к папке с игрой!"), sGroupBox2);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setGeometry(8, 36, 369, 33);
    sLabel1->setAlignment(Qt::AlignCenter);
    sLabel1->setFont(skin::ComicSans(12));
    sLabel1->setStyleSheet(kLabelColour);  // not the skin's colour
    sButtonSetFolder = MakeButton(sGroupBox2, "sButtonSetFolder", "Указать", {8, 68, 369, 21});
    sButtonCopyTL = MakeButton(sGroupBox2, "sButtonCopyTL", "TL", {344, 68, 33, 21});
    sButtonCopyTL->setToolTip(Hint("Указать путь как в TLauncher Legacy"));
    sButtonCopyTL->hide();
    // The label is drawn over the path field's lower edge in the definition; keep the field
    // and the buttons on top so their frames stay whole.
    sLabel1->lower();

    sGroupBox3 = MakeGroupBox(sClient, "sGroupBox3", "Действия", ToQRect(packwell::window::kActionsGroup));
    sGroupBox3->setMouseTracking(true);
    sButtonCheck = MakeButton(sGroupBox3, "sButtonCheck", "Проверить совместимость", {8, 16, 369, 41});
    sButtonDownload = MakeButton(sGroupBox3, "sButtonDownload", "Запуск синхронизации", {8, 64, 306, 41});
    sButtonDownload->setEnabled(false);
    sCheckBox1 = new skin::TsCheckBox(QStringLiteral("Турбо"), sGroupBox3);
    sCheckBox1->setObjectName(QStringLiteral("sCheckBox1"));
    sCheckBox1->setGeometry(317, 64, 58, 17);
    sCheckBox1->setChecked(true);
    sCheckBox1->setCursor(Qt::WhatsThisCursor);
    sCheckBox1->setToolTip(Hint("Активирует 5-ти поточную загрузку,\r\nкоторая позволяет скачивать\r\n"
                                "одновременно сразу 5 файлов."));
    sCheckBox2 = new skin::TsCheckBox(QStringLiteral("Setups"), sGroupBox3);
    sCheckBox2->setObjectName(QStringLiteral("sCheckBox2"));
    sCheckBox2->setGeometry(317, 88, 68, 17);
    sCheckBox2->setChecked(true);
    sCheckBox2->setCursor(Qt::WhatsThisCursor);
    sCheckBox2->setFont(skin::ComicSans(8, true));
    sCheckBox2->setToolTip(Hint("Если стоит галочка, то по окончании\r\nзагрузок будет загружен и запущен\r\n"
                                "файл с дополнительными настройками."));
    sButtonExit = MakeButton(sGroupBox3, "sButtonExit", "Выход", {8, 112, 369, 41});
    sGroupBox3->setEnabled(false);
    sGroupBox3->hide();

    sGroupBox1 = MakeGroupBox(sClient, "sGroupBox1", "Статус", ToQRect(packwell::window::kStatusGroup));
    sMemo1 = new QPlainTextEdit(sGroupBox1);
    sMemo1->setObjectName(QStringLiteral("sMemo1"));
    sMemo1->setGeometry(8, 16, 401, 234);
    sMemo1->setReadOnly(true);
    sMemo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    sMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sMemo1->setTabChangesFocus(false);
    sMemo1->viewport()->setCursor(Qt::ArrowCursor);
    sMemo1->setFont(skin::Tahoma(8, true));
    sMemo1->setStyleSheet(QStringLiteral("QPlainTextEdit { %1 }").arg(kCaptionColour));
    sMemo1->setToolTip(Hint("Двойной клик чтобы открыть \"Статус.txt\""));
    sGroupBox1->hide();

    const int barLefts[] = {8, 171, 334, 498, 662};
    const int barWidths[] = {155, 155, 156, 156, 155};
    QProgressBar** bars[] = {&sProgressBar1, &sProgressBar2, &sProgressBar3, &sProgressBar4, &sProgressBar5};
    for (int i = 0; i < 5; ++i) {
        auto* bar = new QProgressBar(sClient);
        bar->setObjectName(QStringLiteral("sProgressBar%1").arg(i + 1));
        bar->setGeometry(barLefts[i], 264, barWidths[i], 17);
        bar->setTextVisible(false);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->hide();
        *bars[i] = bar;
    }

    Button1 = new QPushButton(QStringLiteral("B"), sClient);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(864, 56, 27, 25);

    Timer1 = new QTimer(this);
    Timer1->setInterval(packwell::TickInterval(1));
    Timer5 = new QTimer(this);
    Timer5->setInterval(packwell::TickInterval(1000));
    Timer6 = new TTaggedTimer(this);
    Timer6->setInterval(packwell::TickInterval(1));
    Timer1->start();

    sSkinManager1 = new skin::TsSkinManager(this);
    drag_ = new skin::WindowDrag(this, [this] { return sLabel1MouseDown(); });
}

void TVantorCompatibility::WireEvents() {
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(Timer5, &QTimer::timeout, this, [this] { Timer5Timer(); });
    connect(Timer6, &QTimer::timeout, this, [this] { Timer6Timer(); });
    connect(sButtonExit, &QPushButton::clicked, this, [this] { sButtonExitClick(); });
    connect(sButtonSetFolder, &QPushButton::clicked, this, [this] { sButtonSetFolderClick(); });
    connect(sButtonCopyTL, &QPushButton::clicked, this, [this] { sButtonCopyTLClick(); });
    connect(sButtonOpenFolder, &QPushButton::clicked, this, [this] { sButtonOpenFolderClick(); });
    connect(sButtonCheck, &QPushButton::clicked, this, [this] { sButtonCheckClick(); });
    connect(sButtonDownload, &QPushButton::clicked, this, [this] { sButtonDownloadClick(); });
    connect(sCheckBox1, &skin::TsCheckBox::mouseUp, this, [this](Qt::MouseButton b) { sCheckBox1MouseUp(b); });
    connect(sCheckBox2, &skin::TsCheckBox::mouseUp, this, [this](Qt::MouseButton b) { sCheckBox2MouseUp(b); });
    connect(sTitleBar1->Item(0), &skin::TsTitleBarItem::mouseUp, this, [this](Qt::MouseButton b) { sTitleBar1Items0MouseUp(b); });
    connect(sTitleBar1->Item(1), &skin::TsTitleBarItem::mouseUp, this, [this](Qt::MouseButton b) { sTitleBar1Items2MouseUp(b); });
    connect(sTitleBar1, &skin::TsTitleBar::closeRequested, this, &QWidget::close);

    const std::initializer_list<QWidget*> dragAreas{this,       sTitleBar1, sClient, sGroupBox1, sMemo1->viewport(),
                                                    sGroupBox2, sLabel1,    sEdit1,  sGroupBox3};
    for (QWidget* area : dragAreas)
        drag_->AddArea(area);
    sEdit1->installEventFilter(this);
    sMemo1->viewport()->installEventFilter(this);
    sGroupBox3->installEventFilter(this);
}

bool TVantorCompatibility::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == sEdit1 && type == QEvent::MouseButtonDblClick) {
        sEdit1DblClick();
        return true;
    }
    if (watched == sEdit1 && type == QEvent::FocusIn) {
        sEdit1Enter();
        return false;
    }
    if (watched == sMemo1->viewport() && type == QEvent::MouseButtonDblClick) {
        sMemo1DblClick();
        return true;
    }
    if (watched == sGroupBox3 && type == QEvent::MouseMove) sGroupBox3MouseMove();
    return QWidget::eventFilter(watched, event);
}

FutureDownloads::ProgressBar* TVantorCompatibility::BarAdapter(int number) const {
    return number >= 1 && number <= 5 ? barAdapters_[number - 1].get() : nullptr;
}

QProgressBar* TVantorCompatibility::ProgressBar(int number) const {
    switch (number) {
    case 1: return sProgressBar1;
    case 2: return sProgressBar2;
    case 3: return sProgressBar3;
    case 4: return sProgressBar4;
    case 5: return sProgressBar5;
    default: return nullptr;
    }
}

void TVantorCompatibility::Console(std::uint8_t IsHead, bool NdTime, const std::string& outt) {
    StatusLog.Console(IsHead, NdTime, outt);
}

void TVantorCompatibility::AppendToMemo(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) sMemo1->appendPlainText(QString::fromStdString(line));
    ScrollLogToEnd();
}

void TVantorCompatibility::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    sClient->setGeometry(kFrame, skin::TsTitleBar::kHeight, std::max(0, ClientWidth()),
                         std::max(0, height() - skin::TsTitleBar::kHeight - kFrame));
}

void TVantorCompatibility::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    CentreOnScreen();
    FormShow();
}

void TVantorCompatibility::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TVantorCompatibility::ShowError(const std::exception& error) { ShowErrorBox(this, error); }
