#include "ui/win32/skin/SkinWindow.h"

#include <string>

namespace packwell::win32 {

bool RegisterSkinClass(const wchar_t* name, WNDPROC procedure, UINT classStyle) {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    // Redrawn whole at every size change: a face drawn to its edges (a button's rounded border)
    // would otherwise leave its old edge inside the grown part.
    c.style = classStyle | CS_HREDRAW | CS_VREDRAW;
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.lpszClassName = name;
    return RegisterClassExW(&c) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace packwell::win32
