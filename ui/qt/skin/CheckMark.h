#pragma once
// The skinned tick box, one drawing for the main window's check boxes and the cleanup list: a
// box in the field colour outlined in the text colour, and for a ticked one a bold tick in the
// accent, so a ticked box never looks like an empty one.
#include <QColor>
#include <QPainter>
#include <QRect>

namespace skin {

struct CheckMarkColours {
    QColor field;
    QColor outline;
    QColor tick;
};

void PaintCheckMark(QPainter& painter, const QRect& box, const CheckMarkColours& colours, bool checked);

}  // namespace skin
