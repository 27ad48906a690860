#pragma once
// The answers to the player's clicks on the "Турбо" and "Setups" check boxes.
#include <functional>
#include <string>

#include "core/log/StatusLog.h"

namespace packwell {

enum class OptionBox { Turbo, Setups };

// How the box got its new state. Only a mouse click is answered: keyboard toggles change the
// box silently and save nothing, as the window only listens to the mouse.
enum class ToggleSource { Mouse, Keyboard };

struct OptionToggle {
    OptionBox box;
    bool checked;  // the box's new state
    ToggleSource source;
};

// The notice for the box's new state (several lines joined by CR LF).
std::string OptionNotice(OptionBox box, bool checked);

// A mouse toggle writes the notice (separator, then time) and saves all settings; returns
// whether it answered.
bool AnswerOptionToggle(StatusLog& log, const OptionToggle& toggle, const std::function<void()>& saveSettings);

}  // namespace packwell
