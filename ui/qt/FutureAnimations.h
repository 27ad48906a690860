#pragma once
// Queued, decelerating moves and resizes of windows and controls, one request at a time.
// Called only from the user-interface thread.
#include <string>

#include "ui/window/AnimationEngine.h"

class QWidget;

namespace FutureAnimations {

inline constexpr int kKeep = packwell::anim::kKeep;  // a target that leaves that property unchanged

void AnimateControl(QWidget* Control, int Left, int Top, int Width, int Height, double Multiplier,
                    const std::string& Task);
// The same with the targets of a request the window decisions made.
void AnimateControl(QWidget* Control, const packwell::anim::Targets& To, double Multiplier, const std::string& Task);
void StopAnimations();
bool IsAnimating();
std::string CurrentAnimationTask();

}  // namespace FutureAnimations
