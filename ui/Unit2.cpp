#include "ui/Unit2.h"

TVantorCompatibility2::TVantorCompatibility2(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("TVantorCompatibility2"));
    setAttribute(Qt::WA_StyledBackground);
    hide();
}
