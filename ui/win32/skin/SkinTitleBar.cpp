#include "ui/win32/skin/SkinTitleBar.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "ui/win32/skin/ControlPainter.h"
#include "ui/win32/skin/SkinWindow.h"

namespace packwell::win32 {
namespace {

struct BarState {
    SkinTitleBarSetup setup;
    std::vector<HWND> items;
    HWND close = nullptr;
    int captionRight = 0;  // where the caption must end, left of the leftmost item
};

// The Qt title bar's spacings, at 96 dots per inch.
constexpr int kEdge = 2;
constexpr int kCloseGap = 4;
constexpr int kItemGap = 2;

int Width(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

int Height(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

void Arrange(HWND bar, BarState& s) {
    const SkinTheme& theme = *s.setup.theme;
    RECT parent{};
    GetClientRect(GetParent(bar), &parent);
    const int height = theme.Scale(kTitleBarHeight);
    SetWindowPos(bar, nullptr, 0, 0, parent.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
    int right = parent.right - theme.Scale(kEdge);
    SetWindowPos(s.close, nullptr, right - Width(s.close), theme.Scale(kEdge), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    right -= Width(s.close) + theme.Scale(kCloseGap);
    for (auto it = s.items.rbegin(); it != s.items.rend(); ++it) {
        // Its own flag: the window may not be shown yet.
        if (!(GetWindowLongW(*it, GWL_STYLE) & WS_VISIBLE)) continue;
        SetWindowPos(*it, nullptr, right - Width(*it), (height - Height(*it)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        right -= Width(*it) + theme.Scale(kItemGap);
    }
    s.captionRight = right;
    InvalidateRect(bar, nullptr, FALSE);
}

LRESULT Handle(HWND bar, BarState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool painted = HandlePaintMessage(bar, message, wParam, [&](HDC dc, const RECT& r) {
        PaintTitleBar(dc, r, WindowText(GetAncestor(bar, GA_ROOT)), s.captionRight, *s.setup.theme);
    });
    if (painted) return 0;
    switch (message) {
        case kItemVisibilityChanged: Arrange(bar, s); return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (s.setup.onPress) s.setup.onPress();
            return 0;
        default: return DefWindowProcW(bar, message, wParam, lParam);
    }
}

}  // namespace

HWND CreateSkinTitleBar(HWND window, SkinTitleBarSetup setup, HWND* close) {
    const SkinTheme& theme = *setup.theme;
    auto onClose = setup.onClose;
    auto state = std::make_unique<BarState>();
    BarState* s = state.get();
    state->setup = std::move(setup);
    HWND bar = CreateSkinWindow<BarState, &Handle>(L"PackwellSkinTitleBar", 0,
                                                   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, L"",
                                                   window, {0, 0, 0, theme.Scale(kTitleBarHeight)}, std::move(state));
    if (!bar) return nullptr;
    SkinButtonSetup closeSetup;
    closeSetup.kind = ButtonKind::TitleClose;
    closeSetup.theme = &theme;
    closeSetup.font = theme.Fonts().tahoma10Bold;
    closeSetup.onClick = std::move(onClose);
    s->close = CreateSkinButton(bar, L"", 0, 0, theme.Scale(kTitleBarHeight + 4), theme.Scale(kTitleBarHeight - 4),
                                std::move(closeSetup));
    if (close) *close = s->close;
    Arrange(bar, *s);
    return bar;
}

HWND AddTitleBarItem(HWND bar, const wchar_t* caption, int width, int height, SkinButtonSetup setup) {
    BarState* s = SkinStateOf<BarState>(bar);
    if (!s) return nullptr;
    const SkinTheme& theme = *s->setup.theme;
    setup.kind = ButtonKind::TitleItem;
    // The stated size: the captions fit it in the skin's font, as they do in the Qt window.
    HWND item = CreateSkinButton(bar, caption, 0, 0, theme.Scale(width), theme.Scale(height), std::move(setup));
    if (item) s->items.push_back(item);
    Arrange(bar, *s);
    return item;
}

void ArrangeTitleBar(HWND bar) {
    if (BarState* s = SkinStateOf<BarState>(bar)) Arrange(bar, *s);
}

}  // namespace packwell::win32
