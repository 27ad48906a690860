#include "ui/qt/skin/SkinManager.h"

#include <QApplication>

#include "ui/qt/skin/SkinSheets.h"
#include "ui/qt/skin/SkinStyle.h"
#include "ui/window/SkinPalette.h"

namespace skin {

bool TsSkinManager::SetSkinName(const QString& name) {
    const QString sheet = SkinStyleSheet(name);
    const auto palette = packwell::window::FindSkinPalette(name.toStdString());
    if (sheet.isEmpty() || !palette) return false;
    name_ = name;
    // The style first: the sheet set after it repolishes every widget in the new colours.
    if (style_) {
        style_->SetPalette(*palette);
    } else {
        style_ = new TsSkinStyle(*palette);
        QApplication::setStyle(style_);
    }
    // Application-wide, so the cleanup dialog and message boxes wear the same skin.
    qApp->setStyleSheet(sheet);
    return true;
}

}  // namespace skin
