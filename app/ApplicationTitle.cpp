#include "app/ApplicationTitle.h"

#include <QApplication>

#include "ui/window/MainCaption.h"

namespace packwell::app {

void SetApplicationTitle() { QApplication::setApplicationName(QString::fromUtf8(window::kApplicationTitle)); }

}  // namespace packwell::app
