#include "ui/qt/skin/CheckMark.h"

#include <QPainterPath>

namespace skin {

void PaintCheckMark(QPainter& painter, const QRect& box, const CheckMarkColours& colours, bool checked) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(box, colours.field);
    painter.setPen(QPen(colours.outline, 1));
    painter.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    if (checked) {
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
        tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.74);
        tick.lineTo(box.left() + box.width() * 0.80, box.top() + box.height() * 0.28);
        painter.setPen(QPen(colours.tick, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(tick);
    }
    painter.restore();
}

}  // namespace skin
