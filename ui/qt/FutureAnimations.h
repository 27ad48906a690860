#pragma once
// Queued, decelerating moves and resizes of windows and controls, one request at a time.
// Called only from the user-interface thread.
#include <string>

class QWidget;

namespace FutureAnimations {

inline constexpr int kKeep = 9999;  // a target of 9999 leaves that property unchanged

void AnimateControl(QWidget* Control, int Left, int Top, int Width, int Height, double Multiplier,
                    const std::string& Task);
void StopAnimations();
bool IsAnimating();
std::string CurrentAnimationTask();

}  // namespace FutureAnimations
