#include "ui/window/MainLayouts.h"

namespace packwell::window {
namespace {

constexpr int kAcross = 13;  // 8 px margin + 5
constexpr int kDown = 36;    // 8 px margin + 28

}  // namespace

MainLayouts MainLayouts::From(const MainControlEdges& edges) {
    return {edges.folderGroupRight + kAcross, edges.folderGroupBottom + kDown, edges.actionsGroupBottom + kDown,
            edges.statusGroupRight + kAcross, edges.firstBarBottom + kDown};
}

std::optional<anim::Targets> ActionsLayoutRequest(Size window, const MainLayouts& layouts, Size screen,
                                                  bool returnFromCleanup) {
    if (window.height != layouts.compactHeight || returnFromCleanup) return std::nullopt;
    return anim::Targets{.Left = screen.width / 2 - window.width / 2,
                         .Top = screen.height / 2 - layouts.actionsHeight / 2,
                         .Width = anim::kKeep,
                         .Height = layouts.actionsHeight};
}

std::optional<anim::Targets> CompactLayoutRequest(Size window, const MainLayouts& layouts, int folderGroupBottom,
                                                  Size screen, bool returnFromCleanup) {
    if ((window.width == layouts.compactWidth && window.height == layouts.compactHeight) || returnFromCleanup)
        return std::nullopt;
    return anim::Targets{.Left = screen.width / 2 - layouts.compactWidth / 2,
                         .Top = screen.height / 2 - folderGroupBottom / 2,
                         .Width = layouts.compactWidth,
                         .Height = layouts.compactHeight};
}

std::optional<anim::Targets> StatusPanelRequest(Size window, const MainLayouts& layouts, Size screen) {
    if (window.width == layouts.fullWidth || window.height != layouts.actionsHeight) return std::nullopt;
    return anim::Targets{.Left = screen.width / 2 - layouts.fullWidth / 2,
                         .Top = screen.height / 2 - window.height / 2,
                         .Width = layouts.fullWidth,
                         .Height = anim::kKeep};
}

std::optional<BarsLayout> BarsLayoutFor(std::uint8_t script, const MainLayouts& layouts) {
    switch (script) {
    case 0: return BarsLayout{{}, false, layouts.actionsHeight};
    case 1: return BarsLayout{{true, false, false, false, false}, true, layouts.progressHeight};
    case 2: return BarsLayout{{true, true, true, true, true}, false, layouts.progressHeight};
    default: return std::nullopt;
    }
}

}  // namespace packwell::window
