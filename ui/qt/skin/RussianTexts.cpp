#include "ui/qt/skin/RussianTexts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace skin {

void InstallRussianTexts() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    auto* texts = new QTranslator(qApp);  // lives as long as the application
    if (texts->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(texts);
}

}  // namespace skin
