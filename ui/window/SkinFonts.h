#pragma once
// Font sizes of the window definition are points at 96 dots per inch.
namespace packwell::window {

// 12 pt is 16 px, 10 pt 13 px, 8 pt 11 px (rounded to the nearest pixel).
constexpr int PointsToPixels(int points) { return (points * 96 * 2 + 72) / (72 * 2); }

}  // namespace packwell::window
