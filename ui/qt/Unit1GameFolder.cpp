// What the game folder group shows in Qt.
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/qt/FutureAnimations.h"
#include "ui/qt/Unit1.h"
#include "ui/qt/skin/TitleBar.h"

void TVantorCompatibility::ShowGameDir(const std::string& dir) { sEdit1->setText(QString::fromStdString(dir)); }

void TVantorCompatibility::SetPickerFolder(const std::string& dir) { sPathDialog1.Path = QString::fromStdString(dir); }

std::optional<std::string> TVantorCompatibility::ChooseFolder() {
    if (const auto chosen = sPathDialog1.Execute(this)) return chosen->toStdString();
    return std::nullopt;
}

void TVantorCompatibility::ShowFolderLabel(const std::string& text) { sLabel1->setText(QString::fromStdString(text)); }

void TVantorCompatibility::ShowActions(bool shown) {
    sGroupBox3->setEnabled(shown);
    sGroupBox3->setVisible(shown);
    sTitleBar1->Item(0)->setVisible(shown);
    sTitleBar1->Item(1)->setVisible(shown);
}

void TVantorCompatibility::ShowCopyTL(bool shown) {
    sButtonCopyTL->setEnabled(shown);
    sButtonCopyTL->setVisible(shown);
}

int TVantorCompatibility::FolderButtonWidth() const { return sButtonSetFolder->width(); }

void TVantorCompatibility::AnimateFolderButton(int width, double speed, const std::string& task) {
    packwell::anim::Targets to;
    to.Width = width;
    FutureAnimations::AnimateControl(sButtonSetFolder, to, speed, task);
}

void TVantorCompatibility::CopyPathToClipboard() {
    sEdit1->selectAll();
    QApplication::clipboard()->setText(sEdit1->text());
    sEdit1->deselect();
}

void TVantorCompatibility::OpenFolder(const std::filesystem::path& folder) { services_.openFolder(folder); }

void TVantorCompatibility::ShowGameWarning() { services_.showGameWarning(this); }
