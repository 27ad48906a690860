#pragma once
// The program's widget style: the platform's, with the tick boxes drawn in the selected skin's
// colours (the default box is pale grey on white, and a ticked one hardly differs from an
// empty one on a dark skin).
#include <QProxyStyle>

#include "ui/window/SkinPalette.h"

namespace skin {

class TsSkinStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit TsSkinStyle(const packwell::window::SkinPalette& palette) : palette_(palette) {}

    void SetPalette(const packwell::window::SkinPalette& palette) { palette_ = palette; }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    packwell::window::SkinPalette palette_;
};

}  // namespace skin
