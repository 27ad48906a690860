#include "app/ApplicationTitle.h"

#include <QApplication>

namespace packwell::app {

void SetApplicationTitle() { QApplication::setApplicationName(QStringLiteral("Brenvik Update")); }

}  // namespace packwell::app
