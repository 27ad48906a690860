#include "ui/win32/skin/SkinProgressBar.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/win32/skin/ControlPainter.h"
#include "ui/win32/skin/SkinWindow.h"

namespace packwell::win32 {
namespace {

struct BarState {
    const SkinTheme* theme;
    int value = 0;
};

LRESULT Handle(HWND window, BarState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaintMessage(window, message, wParam, [&](HDC dc, const RECT& r) { PaintProgress(dc, r, s.value, *s.theme); }))
        return 0;
    switch (message) {
        case PBM_SETPOS: {
            const int previous = s.value;
            s.value = std::clamp(static_cast<int>(wParam), 0, 100);
            if (s.value != previous) InvalidateRect(window, nullptr, FALSE);
            return previous;
        }
        case PBM_GETPOS: return s.value;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

HWND CreateSkinProgressBar(HWND parent, RECT place, const SkinTheme& theme) {
    return CreateSkinWindow<BarState, &Handle>(L"PackwellSkinProgressBar", 0, WS_CHILD | WS_CLIPSIBLINGS, L"", parent,
                                               place, std::make_unique<BarState>(BarState{&theme}));
}

}  // namespace packwell::win32
