#include "ui/window/AnimationEngine.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace packwell::anim {

namespace {

std::size_t Index(Axis axis) { return static_cast<std::size_t>(axis); }

// Nearest integer, halves to the even neighbour, independent of the FPU rounding mode.
long long RoundHalfEven(double value) {
    double floorValue = std::floor(value);
    double fraction = value - floorValue;
    auto whole = static_cast<long long>(floorValue);
    if (fraction > 0.5) return whole + 1;
    if (fraction < 0.5) return whole;
    return (whole % 2 == 0) ? whole : whole + 1;
}

}  // namespace

int Targets::Of(Axis axis) const {
    switch (axis) {
        case Axis::Width: return Width;
        case Axis::Height: return Height;
        case Axis::Left: return Left;
        case Axis::Top: return Top;
    }
    return kKeep;
}

double ClampMultiplier(double multiplier) {
    if (std::isnan(multiplier) || multiplier < kMinMultiplier) return kMinMultiplier;
    if (multiplier > kMaxMultiplier) return kMaxMultiplier;
    return multiplier;
}

int StepTowards(int present, int target, double multiplier) {
    if (present == target) return present;
    long long distance = std::llabs(static_cast<long long>(target) - present);
    long long step = RoundHalfEven(static_cast<double>(distance) * ClampMultiplier(multiplier));
    if (step < 1) step = 1;
    if (step > distance) step = distance;
    return static_cast<int>(target > present ? present + step : present - step);
}

void AnimationEngine::Animate(std::shared_ptr<AnimationTarget> target, Targets targets,
                              double multiplier, std::string task) {
    if (!current_.task.empty() && task.find(current_.task) != std::string::npos) ready_ = true;
    multiplier = ClampMultiplier(multiplier);
    // Without a timer the queue can only hold leftovers of Stop or of a failed start.
    if (!timerRunning_) queue_.clear();
    queue_.push_back(Request{std::move(target), targets, multiplier, std::move(task)});
    if (!timerRunning_) timerRunning_ = timer_.Start();
}

void AnimationEngine::Stop() {
    queue_.clear();
    ready_ = true;
    StopTimer();
}

void AnimationEngine::Tick() {
    if (ready_ && !queue_.empty()) StartNext();
    if (ready_) {
        // Nothing in progress and nothing waiting: no reason to keep ticking.
        if (queue_.empty()) StopTimer();
        return;
    }
    for (Axis axis : kStepOrder) StepAxis(axis);
    if (CurrentComplete()) {
        ready_ = true;
        if (queue_.empty()) StopTimer();
    }
}

void AnimationEngine::StartNext() {
    ready_ = false;
    current_ = std::move(queue_.front());
    queue_.pop_front();
    bool alive = current_.target && current_.target->Alive();
    for (Axis axis : kStepOrder) {
        int goal = current_.targets.Of(axis);
        if (alive) requested_[axis] = current_.target->Get(axis);
        active_[Index(axis)] = alive && goal != kKeep && goal != requested_[axis];
    }
}

void AnimationEngine::StepAxis(Axis axis) {
    bool& active = active_[Index(axis)];
    if (!active) return;
    if (!current_.target->Alive()) {
        active = false;
        return;
    }
    int goal = current_.targets.Of(axis);
    int present = requested_[axis];
    if (present == goal) return;
    requested_[axis] = StepTowards(present, goal, current_.multiplier);
    requested_[axis] = current_.target->Set(axis, requested_);
    int after = requested_[axis];
    // A step that brought the value no closer means the platform will not let it get
    // there; give that axis up instead of ticking forever.
    if (std::llabs(static_cast<long long>(goal) - after) >= std::llabs(static_cast<long long>(goal) - present))
        active = false;
}

bool AnimationEngine::CurrentComplete() const {
    for (Axis axis : kStepOrder) {
        if (!active_[Index(axis)]) continue;
        if (!current_.target->Alive()) continue;
        if (requested_[axis] != current_.targets.Of(axis)) return false;
    }
    return true;
}

void AnimationEngine::StopTimer() {
    if (timerRunning_) timer_.Stop();
    timerRunning_ = false;
}

}  // namespace packwell::anim
