#pragma once
// The main window TVantorCompatibility as a native window: a borderless layered popup (the
// program draws its own title bar), in the compact layout, centred in the work area.
#include <windows.h>

namespace packwell::win32 {

// A second copy of the program looks for a window of this class (the single-instance guard).
inline constexpr const wchar_t* kMainWindowClass = L"TVantorCompatibility";

class MainWindow {
public:
    MainWindow() = default;
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Registers the class and creates the window hidden; false when Windows refuses either.
    bool Create(HINSTANCE instance);
    // Shows the window centred in the work area at its present size.
    void Show();
    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HBRUSH background_ = nullptr;
};

}  // namespace packwell::win32
