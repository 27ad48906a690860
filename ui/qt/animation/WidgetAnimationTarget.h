#pragma once
// A QWidget as seen by the animation engine. A top-level window is measured and placed by
// its frame (outer size, screen position); a child control by its geometry in the parent.
#include <QPointer>
#include <QWidget>

#include "ui/window/AnimationEngine.h"

namespace packwell::anim {

class WidgetAnimationTarget final : public AnimationTarget {
public:
    explicit WidgetAnimationTarget(QWidget* widget) : widget_(widget) {}
    bool Alive() const override { return !widget_.isNull(); }
    int Get(Axis axis) const override;
    int Set(Axis axis, const Geometry& requested) override;

private:
    QPointer<QWidget> widget_;  // a control deleted mid-request simply ends it
};

}  // namespace packwell::anim
