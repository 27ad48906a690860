#include "ui/qt/GameWarning.h"

#include <QMessageBox>

#include "core/gamefolder/GameGuard.h"

void ShowGameWarning(QWidget* parent) {
    QString text = QString::fromUtf8(packwell::kGameWarningText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(packwell::kGameWarningCaption), text, QMessageBox::Ok,
                    parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}
