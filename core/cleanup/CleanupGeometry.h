#pragma once
// Where the cleanup dialog and the main window come to rest when one turns into the other.
namespace packwell {

struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowRect&) const = default;
};

inline constexpr int kCleanupDialogWidth = 553;
inline constexpr int kCleanupDialogHeight = 279;

// The dialog's own size, centred on the screen (integer halves of its size).
WindowRect CleanupDialogTarget(int screenWidth, int screenHeight);

// The main window handed back at the full width and the actions height, centred; the
// position is computed with fractions and rounded half to even.
WindowRect HandBackTarget(int screenWidth, int screenHeight, int fullWidth, int actionsHeight);

}  // namespace packwell
