#include "ui/qt/animation/RequestedPlacement.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QVariant>

namespace packwell::anim {
namespace {

// Far longer than a window manager takes to answer even on a loaded machine, far shorter than
// a player takes to pick the window up and drag it by the manager's frame.
constexpr qint64 kAnswerWithinMs = 1500;

constexpr const char* kPlaced = "packwellRequestedPlacement";
constexpr const char* kPlacedAt = "packwellRequestedPlacementAt";

qint64 Now() { return QDeadlineTimer::current().deadline(); }

// Qt takes a request as the window's geometry at once and tells the window so with an event
// of its own making; the window manager's answers, later, arrive as spontaneous events.
class PlacementWatch final : public QObject {
public:
    explicit PlacementWatch(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && !event->spontaneous()) {
            auto& window = *static_cast<QWidget*>(watched);
            window.setProperty(kPlaced, QRect(window.pos(), window.size()));
            window.setProperty(kPlacedAt, Now());
        }
        return false;
    }
};

}  // namespace

void TrackRequestedPlacement(QWidget& window) { new PlacementWatch(window); }

void ForgetRequestedPlacement(QWidget& window) {
    window.setProperty(kPlaced, QVariant());
    window.setProperty(kPlacedAt, QVariant());
}

std::optional<Placement> RecentRequestedPlacement(const QWidget& window) {
    const QVariant placed = window.property(kPlaced);
    const QVariant at = window.property(kPlacedAt);
    if (!placed.isValid() || !at.isValid() || Now() - at.toLongLong() > kAnswerWithinMs) return std::nullopt;
    const QRect rect = placed.toRect();
    return Placement{rect.topLeft(), rect.size()};
}

QRect CurrentGeometry(const QWidget& window) {
    const auto requested = RecentRequestedPlacement(window);
    if (!requested) return window.geometry();
    const QPoint frame = window.geometry().topLeft() - window.pos();  // the frame's left and top
    return QRect(requested->framePosition + frame, requested->clientSize);
}

}  // namespace packwell::anim
