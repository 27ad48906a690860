#pragma once
// The main window's layouts and the requests that move it between them. The sizes come from
// the controls' present places, so a window that draws its controls elsewhere still gets the
// layouts that fit them; the window only reports those places and runs the requests.
#include <array>
#include <cstdint>
#include <optional>

#include "ui/window/AnimationEngine.h"

namespace packwell::window {

inline constexpr double kLayoutSpeed = 0.2;
inline constexpr const char* kSizeTask = "size";

struct Size {
    int width = 0;
    int height = 0;
};

// Right and bottom edges of the groups that bound each layout, as the window places them.
struct MainControlEdges {
    int folderGroupRight = 0;
    int folderGroupBottom = 0;
    int actionsGroupBottom = 0;
    int statusGroupRight = 0;
    int firstBarBottom = 0;
};

// The outer sizes: each edge plus the frame and title bar (13 across, 36 down, 8 of each
// being the margin inside).
struct MainLayouts {
    int compactWidth = 0;
    int compactHeight = 0;
    int actionsHeight = 0;
    int fullWidth = 0;
    int progressHeight = 0;

    static MainLayouts From(const MainControlEdges& edges);
};

// To the actions layout, centred: only from the compact height, and not while the window
// comes back from the cleanup dialog.
std::optional<anim::Targets> ActionsLayoutRequest(Size window, const MainLayouts& layouts, Size screen,
                                                  bool returnFromCleanup);
// To the compact layout, a little below centre (the folder group's bottom without the
// allowance decides the height it is centred by).
std::optional<anim::Targets> CompactLayoutRequest(Size window, const MainLayouts& layouts, int folderGroupBottom,
                                                  Size screen, bool returnFromCleanup);
// The pointer over the actions: the status panel opens to the full width, centred.
std::optional<anim::Targets> StatusPanelRequest(Size window, const MainLayouts& layouts, Size screen);

// The progress-bar switch: 0 no bars, 1 one bar across, 2 five bars.
struct BarsLayout {
    std::array<bool, 5> shown{};
    bool firstBarAcross = false;  // bar 1 spans the client width instead of a fifth of it
    int height = 0;               // the window's height to animate to
};
std::optional<BarsLayout> BarsLayoutFor(std::uint8_t script, const MainLayouts& layouts);

}  // namespace packwell::window
