#pragma once
// What a download has told one progress bar, kept for the window to show: the 64-bit length and
// position a download reports, as the int range and value a bar control holds. A plain value:
// the toolkit's bar adapter guards it, since downloads feed it from their threads.
#include <cstdint>

namespace packwell::window {

struct BarValue {
    int maximum = 0;  // 0 with value 0: no length announced, the bar shows busy
    int value = 0;
    bool operator==(const BarValue&) const = default;
};

class BarProgress {
public:
    // Each returns what the bar must show now.
    BarValue SetMaximum(std::int64_t maximum);  // negative: none announced
    BarValue SetPosition(std::int64_t position);
    BarValue Advance(std::int64_t delta);
    BarValue Current() const;

    // Bars hold int; 64-bit values are divided by this before they are shown.
    static std::int64_t ScaleFor(std::int64_t maximum);

private:
    std::int64_t maximum_ = 0;
    std::int64_t position_ = 0;
};

}  // namespace packwell::window
