#pragma once
// Moves a frameless window when the pointer is pressed on one of its drag areas and then moved.
// The move starts only once the pointer has travelled the platform's drag distance, so clicks
// and double-clicks on those areas still reach them.
#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace skin {

class WindowDrag : public QObject {
    Q_OBJECT
public:
    // mayStart is asked at every press; false refuses the drag.
    WindowDrag(QWidget* window, std::function<bool()> mayStart);
    void AddArea(QWidget* area);
    bool Dragging() const { return state_ != State::Idle; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class State { Idle, Pressed, Moving };

    QWidget* window_;
    std::function<bool()> mayStart_;
    State state_ = State::Idle;
    QPoint pressGlobal_;
    QPoint windowAtPress_;
};

}  // namespace skin
