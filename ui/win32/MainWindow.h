#pragma once
// The main window TVantorCompatibility as a native window: a borderless layered popup (the
// program draws its own title bar), in the compact layout, centred in the work area.
#include <windows.h>

#include <memory>

#include "ui/win32/MainControls.h"

namespace packwell::win32 {

// A second copy of the program looks for a window of this class (the single-instance guard).
inline constexpr const wchar_t* kMainWindowClass = L"TVantorCompatibility";

class MainWindow : private MainControlEvents {
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
    MainControls* Controls() const { return controls_.get(); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The controls' events: placeholders until the window's handlers take them over.
    void ButtonCheckClick() override {}
    void ButtonDownloadClick() override {}
    void ButtonExitClick() override { PostMessageW(window_, WM_CLOSE, 0, 0); }
    void ButtonSetFolderClick() override {}
    void ButtonCopyTLClick() override {}
    void ButtonOpenFolderClick() override {}
    void CheckBox1MouseUp(MouseButton) override {}
    void CheckBox2MouseUp(MouseButton) override {}
    void TitleItem0MouseUp(MouseButton) override {}
    void TitleItem1MouseUp(MouseButton) override {}
    void CloseClick() override { PostMessageW(window_, WM_CLOSE, 0, 0); }
    void Edit1DblClick() override {}
    void Edit1Enter() override {}
    void Memo1DblClick() override {}
    void GroupBox3MouseMove() override {}
    bool MayStartDrag() override { return true; }

    HWND window_ = nullptr;
    HBRUSH background_ = nullptr;
    std::unique_ptr<MainControls> controls_;
};

}  // namespace packwell::win32
