#pragma once
// The built-in skins as Qt style sheets, by name.
#include <QString>
#include <QStringList>

#include "ui/window/SkinPalette.h"

namespace skin {

inline const QString kEmerald = QString::fromUtf8(packwell::window::kEmeraldSkin);
inline const QString kMaterialDark = QString::fromUtf8(packwell::window::kMaterialDarkSkin);

QStringList BuiltInSkinNames();
// Empty for an unknown name.
QString SkinStyleSheet(const QString& name);

}  // namespace skin
