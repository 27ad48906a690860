#pragma once
// What every custom skinned control class shares: a window that owns a state object (handed
// over at creation, deleted at WM_NCDESTROY), registered once per process, and painting that
// serves WM_PAINT and WM_PRINTCLIENT alike with no separate background erase.
#include <windows.h>

#include <memory>

#include "ui/win32/skin/ControlPainter.h"

namespace packwell::win32 {

template <typename State>
State* SkinStateOf(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

template <typename State, LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK OwnedStateProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    }
    State* state = SkinStateOf<State>(window);
    if (!state) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete state;
        return 0;
    }
    return Handle(window, *state, message, wParam, lParam);
}

bool RegisterSkinClass(const wchar_t* name, WNDPROC procedure, UINT classStyle);

// The window owns its state from WM_NCCREATE on and deletes it at WM_NCDESTROY, also when its
// creation fails later; only a refusal before any message leaves the small state behind.
template <typename State, LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM)>
HWND CreateSkinWindow(const wchar_t* className, UINT classStyle, DWORD style, const wchar_t* text, HWND parent,
                      RECT place, std::unique_ptr<State> state) {
    static const bool registered = RegisterSkinClass(className, &OwnedStateProcedure<State, Handle>, classStyle);
    if (!registered) return nullptr;
    return CreateWindowExW(0, className, text, style, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, parent, nullptr, GetModuleHandleW(nullptr), state.release());
}

// Serves the painting messages with `paint(HDC, const RECT& client)`, buffered; false for others.
template <typename Paint>
bool HandlePaintMessage(HWND window, UINT message, WPARAM wParam, Paint paint) {
    RECT client{};
    GetClientRect(window, &client);
    auto buffered = [&](HDC dc) { PaintBuffered(dc, client, [&](HDC memory) { paint(memory, client); }); };
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            buffered(dc);
            EndPaint(window, &ps);
            return true;
        }
        case WM_PRINTCLIENT: buffered(reinterpret_cast<HDC>(wParam)); return true;
        case WM_ERASEBKGND: return true;  // the paint covers every pixel
        default: return false;
    }
}

// The window's text.
std::wstring WindowText(HWND window);

}  // namespace packwell::win32
