#pragma once
// The cleanup dialog TVantorCompatibility2 as a native window: created hidden with the main
// window, shown when files may be deleted. What it decides comes from CleanupDialogState, as in
// the Qt dialog; here it only draws.
#include <windows.h>

#include <string_view>
#include <vector>

#include "ui/win32/skin/SkinTheme.h"
#include "ui/window/CleanupDialogState.h"

namespace packwell::win32 {

inline constexpr const wchar_t* kCleanupDialogClass = L"TVantorCompatibility2";

class MainWindow;

class CleanupDialog final : public window::CleanupDialogState {
public:
    // Frame around the client area: 8 on the sides and below, the title bar and 5 above.
    static constexpr int kSideFrame = 8;
    static constexpr int kTopFrame = 30;

    explicit CleanupDialog(MainWindow& main);
    ~CleanupDialog();
    CleanupDialog(const CleanupDialog&) = delete;
    CleanupDialog& operator=(const CleanupDialog&) = delete;

    // Takes the main window's place and size, fills its list and centres itself there.
    void ShowAt(const RECT& place);
    void SelectSkin(std::string_view name);
    std::vector<CleanupItem> Items() const override;

    HWND Handle() const { return window_; }
    HWND sTitleBar1 = nullptr;
    HWND sClient = nullptr;
    HWND sGroupBox1 = nullptr;
    HWND sLabel1 = nullptr;
    HWND sCheckListBoxDel = nullptr;
    HWND sButtonDel = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void ShowItems(const std::vector<CleanupItem>& items) override;
    void ShowMainInPlace() override;
    void BeginDrag();
    // The client area under the title bar; the group keeps its place relative to the centre.
    void Arrange();

    MainWindow& mainWindow_;
    SkinTheme theme_;
    HWND window_ = nullptr;
};

}  // namespace packwell::win32
