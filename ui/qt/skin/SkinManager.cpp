#include "ui/qt/skin/SkinManager.h"

#include <QApplication>

#include "ui/qt/skin/SkinSheets.h"

namespace skin {

bool TsSkinManager::SetSkinName(const QString& name) {
    const QString sheet = SkinStyleSheet(name);
    if (sheet.isEmpty()) return false;
    name_ = name;
    // Application-wide, so the cleanup dialog and message boxes wear the same skin.
    qApp->setStyleSheet(sheet);
    return true;
}

}  // namespace skin
