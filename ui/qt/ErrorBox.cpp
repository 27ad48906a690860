#include "ui/qt/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

void ShowErrorBox(QWidget* parent, const std::exception& error) {
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), QString::fromUtf8(error.what()));
}
