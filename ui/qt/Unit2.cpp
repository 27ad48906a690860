#include "ui/qt/Unit2.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/cleanup/CleanupGeometry.h"
#include "ui/qt/ScreenSize.h"
#include "ui/qt/Unit1.h"
#include "ui/qt/animation/RequestedPlacement.h"
#include "ui/qt/skin/CheckListDelegate.h"
#include "ui/qt/skin/Fonts.h"
#include "ui/qt/skin/TitleBar.h"
#include "ui/qt/skin/WindowDrag.h"

namespace {
constexpr int kItemHeight = 16;
}

TVantorCompatibility2::TVantorCompatibility2(TVantorCompatibility& mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      CleanupDialogState(mainWindow),
      mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("TVantorCompatibility2"));
    packwell::anim::TrackRequestedPlacement(*this);  // what the animations start from
    setAttribute(Qt::WA_StyledBackground);
    setFont(skin::Tahoma(8));
    const QString caption = QStringLiteral("Очистка лишних файлов");
    setWindowTitle(caption);
    sTitleBar1 = new skin::TsTitleBar(this);
    sTitleBar1->SetCaption(caption);
    sTitleBar1->CloseButton()->hide();  // no title-bar buttons at all
    BuildControls();
    resize(packwell::kCleanupDialogWidth, packwell::kCleanupDialogHeight);

    auto* drag = new skin::WindowDrag(this, [this] { return sGroupBox1MouseDown(); });
    for (QWidget* area : {static_cast<QWidget*>(this), static_cast<QWidget*>(sTitleBar1), sClient,
                          static_cast<QWidget*>(sGroupBox1), static_cast<QWidget*>(sLabel1)})
        drag->AddArea(area);
    hide();
}

void TVantorCompatibility2::BuildControls() {
    sClient = new QWidget(this);
    sClient->setObjectName(QStringLiteral("sClient"));
    sClient->setAttribute(Qt::WA_StyledBackground);

    sGroupBox1 = new QGroupBox(sClient);
    sGroupBox1->setObjectName(QStringLiteral("sGroupBox1"));
    sGroupBox1->setGeometry(8, 8, 521, 225);

    sLabel1 = new QLabel(QStringLiteral("Файлы из следующего списка можно удалить.\n"
                                        "Снимите галочки около файлов, которые хотите оставить."),
                         sGroupBox1);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setGeometry(0, 8, 505, 41);
    sLabel1->setAlignment(Qt::AlignCenter);
    sLabel1->setFont(skin::ComicSans(10));

    sCheckListBoxDel = new QListWidget(sGroupBox1);
    sCheckListBoxDel->setObjectName(QStringLiteral("sCheckListBoxDel"));
    sCheckListBoxDel->setGeometry(8, 48, 505, 137);
    sCheckListBoxDel->setFont(skin::Tahoma(8));
    sCheckListBoxDel->setUniformItemSizes(true);
    sCheckListBoxDel->setItemDelegate(new skin::TsCheckListDelegate(sCheckListBoxDel));
    // The definition fixes these (3682598 and 16772838): the same in both skins.
    sCheckListBoxDel->setStyleSheet(QStringLiteral(
        "QListWidget#sCheckListBoxDel { background: rgb(38, 49, 56); color: rgb(230, 238, 255); }"));

    sButtonDel = new QPushButton(QStringLiteral("Удалить"), sGroupBox1);
    sButtonDel->setObjectName(QStringLiteral("sButtonDel"));
    sButtonDel->setGeometry(8, 192, 505, 25);
    sButtonDel->setFont(skin::ComicSans(12, true));
    connect(sButtonDel, &QPushButton::clicked, this, [this] { sButtonDelClick(); });
}

std::vector<packwell::CleanupItem> TVantorCompatibility2::Items() const {
    std::vector<packwell::CleanupItem> items;
    for (int i = 0; i < sCheckListBoxDel->count(); ++i) {
        const QListWidgetItem* item = sCheckListBoxDel->item(i);
        items.push_back({item->text().toStdString(), item->checkState() == Qt::Checked});
    }
    return items;
}

void TVantorCompatibility2::ShowItems(const std::vector<packwell::CleanupItem>& items) {
    sCheckListBoxDel->clear();
    for (const packwell::CleanupItem& entry : items) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.name), sCheckListBoxDel);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.ticked ? Qt::Checked : Qt::Unchecked);
        item->setSizeHint(QSize(0, kItemHeight));
    }
}

void TVantorCompatibility2::ShowMainInPlace() {
    mainWindow_.setGeometry(packwell::anim::CurrentGeometry(*this));
    mainWindow_.show();  // centred at this size
    hide();
}

void TVantorCompatibility2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    CentreInWorkArea(*this);
    FormShow();
}

// The group box keeps its place relative to the centre while the dialog morphs.
void TVantorCompatibility2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    sClient->setGeometry(kSideFrame, kTopFrame, std::max(0, width() - 2 * kSideFrame),
                         std::max(0, height() - kTopFrame - kSideFrame));
    sGroupBox1->move((sClient->width() - sGroupBox1->width()) / 2, (sClient->height() - sGroupBox1->height()) / 2);
}

void TVantorCompatibility2::closeEvent(QCloseEvent* event) { event->ignore(); }
