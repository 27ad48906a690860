#pragma once
// The main window's controls as native children, named as the window definition names them,
// drawn in the selected skin: what the Qt window builds in BuildTitleBar and BuildControls.
// Everything here runs on the window's thread.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/win32/skin/SkinButton.h"
#include "ui/win32/skin/SkinPanel.h"
#include "ui/win32/skin/SkinTheme.h"

namespace packwell::win32 {

// What the controls report to the window. Handlers may run nested message loops.
struct MainControlEvents {
    virtual ~MainControlEvents() = default;

    virtual void ButtonCheckClick() = 0;
    virtual void ButtonDownloadClick() = 0;
    virtual void ButtonExitClick() = 0;
    virtual void ButtonSetFolderClick() = 0;
    virtual void ButtonCopyTLClick() = 0;
    virtual void ButtonOpenFolderClick() = 0;
    // A mouse button released after a press on the box; a left click has changed its state already.
    virtual void CheckBox1MouseUp(MouseButton button) = 0;  // "Турбо"
    virtual void CheckBox2MouseUp(MouseButton button) = 0;  // "Setups"
    // A mouse button released over a title bar item.
    virtual void TitleItem0MouseUp(MouseButton button) = 0;  // "Setups+"
    virtual void TitleItem1MouseUp(MouseButton button) = 0;  // "Forge Install"
    virtual void CloseClick() = 0;
    virtual void Edit1DblClick() = 0;
    virtual void Edit1Enter() = 0;  // the path field received the focus
    virtual void Memo1DblClick() = 0;
    virtual void GroupBox3MouseMove() = 0;
    // A press on a drag area: true lets the window's move begin.
    virtual bool MayStartDrag() = 0;
};

class MainControls {
public:
    // Creates every control as a child of `window`, its sizes scaled from 96 dots per inch to
    // `dpi`, in the skin "Emerald (internal)". `events` must outlive the controls.
    MainControls(HWND window, int dpi, MainControlEvents& events);
    ~MainControls();
    MainControls(const MainControls&) = delete;
    MainControls& operator=(const MainControls&) = delete;

    HWND sTitleBar1 = nullptr;
    HWND sTitleItem0 = nullptr;  // "Setups+"
    HWND sTitleItem1 = nullptr;  // "Forge Install"
    HWND sTitleClose = nullptr;
    HWND sClient = nullptr;  // the client area under the title bar
    HWND sGroupBox2 = nullptr;
    HWND sEdit1 = nullptr;
    HWND sButtonOpenFolder = nullptr;
    HWND sLabel1 = nullptr;
    HWND sButtonSetFolder = nullptr;
    HWND sButtonCopyTL = nullptr;
    HWND sGroupBox3 = nullptr;
    HWND sButtonCheck = nullptr;
    HWND sButtonDownload = nullptr;
    HWND sCheckBox1 = nullptr;
    HWND sCheckBox2 = nullptr;
    HWND sButtonExit = nullptr;
    HWND sGroupBox1 = nullptr;
    HWND sMemo1 = nullptr;
    HWND sProgressBar1 = nullptr;
    HWND sProgressBar2 = nullptr;
    HWND sProgressBar3 = nullptr;
    HWND sProgressBar4 = nullptr;
    HWND sProgressBar5 = nullptr;
    HWND Button1 = nullptr;  // focus holder, beyond every layout's right edge
    HWND ToolTips = nullptr;

    // Bar 1 to 5 by number; null for another number.
    HWND ProgressBar(int number) const;

    void SetPathText(std::string_view utf8);
    std::string PathText() const;
    void SetLabelText(std::string_view utf8);
    std::string LabelText() const;
    // Also lays the title bar out again when one of its items is shown or hidden.
    void Show(HWND control, bool visible);
    void Enable(HWND control, bool enabled);
    bool Checked(HWND checkBox) const;
    void SetChecked(HWND checkBox, bool checked);
    // Bar 1 to 5, value 0..100.
    void SetProgress(int number, int value);
    int Progress(int number) const;
    // Appends to the log and scrolls to its end.
    void AppendLog(const std::vector<std::string>& lines);
    // False (and nothing changes) for a name that is not a built-in skin; repaints everything.
    bool SelectSkin(std::string_view name);
    const std::string& SkinName() const { return theme_.Name(); }
    const SkinTheme& Theme() const { return theme_; }

    // The window's own messages the controls need (sizing, background, drag presses, caption
    // changes); true when handled, with the result in `result`.
    bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // A press on a drag area: asks the window, then hands the move to the system.
    bool BeginDrag();
    // Places the title bar and the client area for the window's present size.
    void Arrange();

private:
    void CreateTitleBar();
    void CreateFolderGroup();
    void CreateActionsGroup();
    void CreateStatusGroup();
    void CreateProgressBars();
    SkinPanelSetup Panel(HFONT captionFont);
    void AddHint(HWND control, const wchar_t* hint);
    void WidenLogFor(const std::wstring& line);
    static LRESULT CALLBACK FieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR self);

    HWND window_;
    MainControlEvents& events_;
    SkinTheme theme_;
    int logExtent_ = 0;
};

}  // namespace packwell::win32
