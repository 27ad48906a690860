#pragma once
// The queue and step rule behind FutureAnimations, free of any toolkit so that it can be
// driven tick by tick. One request runs at a time, in the order received; each tick moves
// every active axis (width, height, left, top) by its multiplier's share of what remains.
#include <deque>
#include <memory>
#include <string>

namespace packwell::anim {

inline constexpr int kKeep = 9999;  // a target of 9999 leaves that property as it is
inline constexpr double kMinMultiplier = 0.001;
inline constexpr double kMaxMultiplier = 1.0;

enum class Axis { Width, Height, Left, Top };
inline constexpr Axis kStepOrder[] = {Axis::Width, Axis::Height, Axis::Left, Axis::Top};

// A rectangle by axis, indexed as Axis.
struct Geometry {
    int values[4] = {0, 0, 0, 0};
    int& operator[](Axis axis) { return values[static_cast<int>(axis)]; }
    int operator[](Axis axis) const { return values[static_cast<int>(axis)]; }
};

// The thing being moved: a window or a control. A request reads where it stands once, at its
// start, and from then on steps from the values it asked for: a window manager answers a move
// late, and a value read back mid-request may be an older one (or a just-mapped window's 0, 0).
class AnimationTarget {
public:
    virtual ~AnimationTarget() = default;
    // False once the control is gone; its request then ends.
    virtual bool Alive() const = 0;
    virtual int Get(Axis axis) const = 0;
    // Places the control at `requested` after `axis` changed there; returns the value of that
    // axis the platform holds to at once (a size below the control's least, for one).
    virtual int Set(Axis axis, const Geometry& requested) = 0;
};

// The periodic tick source; it calls AnimationEngine::Tick while started.
class AnimationTimer {
public:
    virtual ~AnimationTimer() = default;
    // False when no timer could be made; nothing moves until the next request tries again.
    virtual bool Start() = 0;
    virtual void Stop() = 0;
};

struct Targets {
    int Left = kKeep;
    int Top = kKeep;
    int Width = kKeep;
    int Height = kKeep;

    int Of(Axis axis) const;
};

// The step a tick takes along one axis: |target - present| * multiplier rounded half to
// even, at least 1, never past the target. Returns the new value.
int StepTowards(int present, int target, double multiplier);

// Multiplier bounded to [0.001, 1]; NaN counts as the lower bound.
double ClampMultiplier(double multiplier);

class AnimationEngine {
public:
    explicit AnimationEngine(AnimationTimer& timer) : timer_(timer) {}
    AnimationEngine(const AnimationEngine&) = delete;
    AnimationEngine& operator=(const AnimationEngine&) = delete;

    // Queues one request and returns at once. A task name that contains the running
    // request's (non-empty) task name cuts the running request short at the next tick.
    void Animate(std::shared_ptr<AnimationTarget> target, Targets targets, double multiplier,
                 std::string task);
    // Drops every queued request and stops the timer; the control in progress stays put.
    void Stop();
    bool IsAnimating() const { return timerRunning_; }
    // Task name of the request most recently started; empty before the first.
    const std::string& CurrentTask() const { return current_.task; }
    std::size_t QueuedCount() const { return queue_.size(); }

    void Tick();

private:
    struct Request {
        std::shared_ptr<AnimationTarget> target;
        Targets targets;
        double multiplier = kMinMultiplier;
        std::string task;
    };

    void StartNext();
    void StepAxis(Axis axis);
    bool CurrentComplete() const;
    void StopTimer();

    AnimationTimer& timer_;
    std::deque<Request> queue_;
    Request current_;
    // Axes still to move for the current request: active when the target was neither
    // 9999 nor already reached at the start, and dropped when a step stops making
    // progress (a size the platform refuses), so no request can run forever.
    bool active_[4] = {false, false, false, false};
    Geometry requested_;  // where the current request has put its control so far
    bool ready_ = true;
    bool timerRunning_ = false;
};

}  // namespace packwell::anim
