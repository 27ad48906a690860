#include "ui/window/BarProgress.h"

#include <algorithm>
#include <limits>

namespace packwell::window {

std::int64_t BarProgress::ScaleFor(std::int64_t maximum) {
    constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
    return maximum <= kIntMax ? 1 : (maximum + kIntMax - 1) / kIntMax;
}

BarValue BarProgress::Current() const {
    if (maximum_ < 0) return {0, 0};  // range 0..0: busy
    const std::int64_t scale = ScaleFor(maximum_);
    const std::int64_t position = std::clamp<std::int64_t>(position_, 0, maximum_);
    return {static_cast<int>(maximum_ / scale), static_cast<int>(position / scale)};
}

BarValue BarProgress::SetMaximum(std::int64_t maximum) {
    maximum_ = maximum;
    return Current();
}

BarValue BarProgress::SetPosition(std::int64_t position) {
    position_ = position;
    return Current();
}

BarValue BarProgress::Advance(std::int64_t delta) {
    position_ += delta;
    return Current();
}

}  // namespace packwell::window
