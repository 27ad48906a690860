#include "ui/qt/skin/Controls.h"

#include <QStandardPaths>
#include <QUrl>

namespace skin {

std::optional<QString> TsPathDialog::RunFolderDialog(QWidget* parent, const QString& startFolder) {
    QFileDialog dialog(parent, QStringLiteral("Выберите папку с игрой"), startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty()) {
        QList<QUrl> places = dialog.sidebarUrls();
        places.prepend(QUrl::fromLocalFile(desktop));
        dialog.setSidebarUrls(places);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace skin
