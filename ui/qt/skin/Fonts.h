#pragma once
// Fonts of the window definition, sized for 96 dots per inch whatever the screen says.
#include <QFont>
#include <QString>

namespace skin {

// Registers close substitutes for the families the window asks for (Comic Sans MS, Tahoma),
// so a machine without them still shows text of about the same width.
void InstallFontFallbacks();

// Points at 96 dots per inch: 12 pt is 16 px, 10 pt 13 px, 8 pt 11 px.
int PointsToPixels(int points);
QFont SkinFont(const QString& family, int points, bool bold = false);

inline QFont ComicSans(int points, bool bold = false) { return SkinFont(QStringLiteral("Comic Sans MS"), points, bold); }
inline QFont Tahoma(int points, bool bold = false) { return SkinFont(QStringLiteral("Tahoma"), points, bold); }

}  // namespace skin
