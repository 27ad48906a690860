#include "ui/win32/skin/SkinButton.h"

#include "ui/win32/skin/SkinWindow.h"

#include <windowsx.h>

#include <memory>
#include <string>

namespace packwell::win32 {
namespace {

constexpr const wchar_t* kClassName = L"PackwellSkinButton";

struct ButtonState {
    SkinButtonSetup setup;
    bool hover = false;
    bool down = false;      // a press on the control, its button still held
    bool downInside = false;
    MouseButton pressed = MouseButton::Left;
    bool checked = false;
};

// Disabled itself or through a parent (a disabled group disables what it holds).
bool EnabledInEffect(HWND window) {
    for (HWND w = window; w; w = (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
        if (!IsWindowEnabled(w)) return false;
    return true;
}

void Paint(HWND window, const ButtonState& s, HDC dc, const RECT& r) {
    const ButtonLook look{.enabled = EnabledInEffect(window),
                          .hover = s.hover,
                          .pressed = s.down && s.downInside && s.pressed == MouseButton::Left,
                          .focused = GetFocus() == window,
                          .checked = s.checked};
    PaintButton(dc, r, s.setup.kind, WindowText(window), s.setup.font, look, *s.setup.theme);
}

bool TakesFocus(const ButtonState& s) { return s.setup.kind == ButtonKind::Push || s.setup.kind == ButtonKind::CheckBox; }

// Callbacks may end the window (a close request handled at once); nothing of it is used after them.
void Click(HWND window, ButtonState& s) {
    if (s.setup.kind == ButtonKind::CheckBox) {
        s.checked = !s.checked;
        InvalidateRect(window, nullptr, FALSE);
    }
    if (s.setup.onClick) {
        auto onClick = s.setup.onClick;
        onClick();
    }
}

void Press(HWND window, ButtonState& s, MouseButton button) {
    s.down = true;
    s.downInside = true;
    s.pressed = button;
    if (button == MouseButton::Left && TakesFocus(s)) SetFocus(window);
    SetCapture(window);
    InvalidateRect(window, nullptr, FALSE);
}

void Release(HWND window, ButtonState& s, MouseButton button, LPARAM lParam) {
    if (!s.down || s.pressed != button) return;
    s.down = false;
    if (GetCapture() == window) ReleaseCapture();
    RECT r{};
    GetClientRect(window, &r);
    const bool inside = PtInRect(&r, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    InvalidateRect(window, nullptr, FALSE);
    const bool reports = inside || s.setup.kind == ButtonKind::CheckBox;
    auto onRelease = s.setup.onRelease;
    if (inside && button == MouseButton::Left) Click(window, s);
    if (reports && onRelease && IsWindow(window)) onRelease(button);
}

LRESULT Handle(HWND window, ButtonState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaintMessage(window, message, wParam, [&](HDC dc, const RECT& r) { Paint(window, s, dc, r); }))
        return 0;
    switch (message) {
        case WM_MOUSEMOVE: {
            if (!s.hover) {
                s.hover = true;
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                TrackMouseEvent(&track);
                InvalidateRect(window, nullptr, FALSE);
            }
            if (s.down) {
                RECT r{};
                GetClientRect(window, &r);
                const bool inside = PtInRect(&r, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                if (inside != s.downInside) {
                    s.downInside = inside;
                    InvalidateRect(window, nullptr, FALSE);
                }
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            s.hover = false;
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: Press(window, s, MouseButton::Left); return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK: Press(window, s, MouseButton::Right); return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK: Press(window, s, MouseButton::Middle); return 0;
        case WM_LBUTTONUP: Release(window, s, MouseButton::Left, lParam); return 0;
        case WM_RBUTTONUP: Release(window, s, MouseButton::Right, lParam); return 0;
        case WM_MBUTTONUP: Release(window, s, MouseButton::Middle, lParam); return 0;
        case WM_CAPTURECHANGED:
            if (s.down) {
                s.down = false;
                InvalidateRect(window, nullptr, FALSE);
            }
            return 0;
        case WM_KEYDOWN:
            if ((wParam == VK_SPACE || wParam == VK_RETURN) && TakesFocus(s)) Click(window, s);
            return 0;
        case WM_GETDLGCODE: return DLGC_BUTTON;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE: InvalidateRect(window, nullptr, FALSE); return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, FALSE);
            return result;
        }
        case WM_SETFONT:
            s.setup.font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(s.setup.font);
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursor(s.setup.cursor ? s.setup.cursor : LoadCursorW(nullptr, IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_SHOWWINDOW:
            if (s.setup.kind == ButtonKind::TitleItem) PostMessageW(GetParent(window), kItemVisibilityChanged, 0, 0);
            break;
        case BM_CLICK:
            if (EnabledInEffect(window)) Click(window, s);
            return 0;
        case BM_GETCHECK: return s.checked ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK:
            s.checked = wParam == BST_CHECKED;
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateSkinButton(HWND parent, const wchar_t* text, int left, int top, int width, int height,
                      SkinButtonSetup setup) {
    auto state = std::make_unique<ButtonState>();
    state->setup = std::move(setup);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (TakesFocus(*state) ? WS_TABSTOP : 0);
    return CreateSkinWindow<ButtonState, &Handle>(kClassName, CS_DBLCLKS, style, text, parent,
                                                  {left, top, left + width, top + height}, std::move(state));
}

}  // namespace packwell::win32
