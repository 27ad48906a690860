#include "core/cleanup/CleanupGeometry.h"

#include <cmath>

namespace packwell {
namespace {

// Nearest integer, halves to the even neighbour.
int RoundHalfEven(double value) {
    const double down = std::floor(value);
    const double frac = value - down;
    if (frac > 0.5) return static_cast<int>(down) + 1;
    if (frac < 0.5) return static_cast<int>(down);
    const int d = static_cast<int>(down);
    return d % 2 == 0 ? d : d + 1;
}

}  // namespace

WindowRect CleanupDialogTarget(int screenWidth, int screenHeight) {
    return {screenWidth / 2 - kCleanupDialogWidth / 2, screenHeight / 2 - kCleanupDialogHeight / 2,
            kCleanupDialogWidth, kCleanupDialogHeight};
}

WindowRect HandBackTarget(int screenWidth, int screenHeight, int fullWidth, int actionsHeight) {
    return {RoundHalfEven(screenWidth / 2.0 - fullWidth / 2.0), RoundHalfEven(screenHeight / 2.0 - actionsHeight / 2.0),
            fullWidth, actionsHeight};
}

}  // namespace packwell
