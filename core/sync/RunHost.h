#pragma once
// The window side of a synchronisation run: what the run asks of the window (or of the
// headless client standing in for it), in the order the run's steps need it.

namespace packwell {

// The progress-bar layouts of the main window.
enum class BarLayout : int {
    Normal = 0,    // no bars
    OneBar = 1,    // sProgressBar1 across the window
    FiveBars = 2,  // sProgressBar1..sProgressBar5 side by side
};

class RunHost {
public:
    virtual ~RunHost() = default;
    // Returns once the window shows the layout.
    virtual void ChngSize(BarLayout layout) = 0;
    // Fetches and opens the extra settings program; leaves the normal layout.
    virtual void StartSetupsPlus() = 0;
    // Hands the main window over to the cleanup dialog, which enables it again when done.
    virtual void ShowCleanupDialog() = 0;
    virtual void EnableWindow() = 0;
    // Timer6 with its Tag at 0: the Turbo dispatcher's tick.
    virtual void SetDispatcherTimer(bool enabled) = 0;
};

}  // namespace packwell
