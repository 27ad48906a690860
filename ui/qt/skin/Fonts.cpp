#include "ui/qt/skin/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include "ui/window/SkinFonts.h"

namespace skin {

void InstallFontFallbacks() {
    // Narrow families first: the controls have fixed sizes made for the narrow originals.
    const QStringList comic{QStringLiteral("Comic Neue"), QStringLiteral("Comic Relief"),
                            QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                            QStringLiteral("Liberation Sans")};
    const QStringList tahoma{QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                             QStringLiteral("Liberation Sans"), QStringLiteral("Verdana")};
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"), comic);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), tahoma);
}

int PointsToPixels(int points) { return packwell::window::PointsToPixels(points); }

QFont SkinFont(const QString& family, int points, bool bold) {
    QFont font(family);
    font.setPixelSize(PointsToPixels(points));
    font.setBold(bold);
    return font;
}

}  // namespace skin
