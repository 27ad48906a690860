#include "ui/qt/skin/SkinStyle.h"

#include <QStyleOption>

#include "ui/qt/skin/CheckMark.h"

namespace skin {
namespace {

QColor Colour(packwell::window::Rgb rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

}  // namespace

void TsSkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    if (element != PE_IndicatorCheckBox || !option || !painter) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const bool enabled = option->state & State_Enabled;
    const QColor outline = Colour(enabled ? palette_.caption : palette_.disabled);
    PaintCheckMark(*painter, option->rect.adjusted(0, 0, -1, -1), {Colour(palette_.field), outline,
                                                                    enabled ? Colour(palette_.accent) : outline},
                   option->state & State_On);
}

}  // namespace skin
