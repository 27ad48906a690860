#pragma once
// The built-in skins as Qt style sheets, by name.
#include <QString>
#include <QStringList>

namespace skin {

inline const QString kEmerald = QStringLiteral("Emerald (internal)");
inline const QString kMaterialDark = QStringLiteral("Material Dark (internal)");

QStringList BuiltInSkinNames();
// Empty for an unknown name.
QString SkinStyleSheet(const QString& name);

}  // namespace skin
