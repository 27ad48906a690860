#pragma once
// Another program's windows as a test finds and waits for them: by class and caption, polled.
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

namespace packwell::test {

// Polls (bounded, generously for a loaded machine) until the condition holds.
template <typename Condition>
bool Eventually(Condition condition, std::chrono::seconds bound = std::chrono::seconds(60)) {
    const auto end = std::chrono::steady_clock::now() + bound;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// The first child of `window` of class `className` (any class when null) whose text is `text`
// (any text when empty).
inline HWND ChildWindow(HWND window, const wchar_t* className, const std::wstring& text = {}) {
    struct Search {
        const wchar_t* className;
        const std::wstring& text;
        HWND found = nullptr;
    } search{className, text};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            wchar_t name[64] = {}, caption[128] = {};
            GetClassNameW(child, name, 64);
            GetWindowTextW(child, caption, 128);
            if ((s.className && _wcsicmp(name, s.className) != 0) || (!s.text.empty() && s.text != caption)) return TRUE;
            s.found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A control of another program's window, found by its text among all the window holds.
inline HWND ControlWithText(HWND window, const std::wstring& text) { return ChildWindow(window, nullptr, text); }

}  // namespace packwell::test
