#include "ui/qt/skin/Controls.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace skin {

std::optional<QString> TsPathDialog::RunFolderDialog(QWidget* parent, const QString& startFolder) {
    QFileDialog dialog(parent, QStringLiteral("Выберите папку с игрой"), startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // Names only: the detail columns would show the system's English type and dates.
    dialog.setViewMode(QFileDialog::List);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    // A place that does not exist would only show greyed out.
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir()) {
        QList<QUrl> places = dialog.sidebarUrls();
        places.prepend(QUrl::fromLocalFile(desktop));
        dialog.setSidebarUrls(places);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace skin
