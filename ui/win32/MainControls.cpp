#include "ui/win32/MainControls.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <initializer_list>

#include "ui/win32/WideText.h"
#include "ui/win32/skin/SkinPanel.h"
#include "ui/win32/skin/SkinProgressBar.h"
#include "ui/win32/skin/SkinScrollBars.h"
#include "ui/win32/skin/SkinTitleBar.h"
#include "ui/win32/skin/SkinWindow.h"
#include "ui/window/MainControls.h"

namespace packwell::win32 {
namespace {

// The frame around the client area, beside and under it (the title bar is above), at 96 dots per inch.
constexpr int kFrame = 3;

enum FieldId : UINT_PTR { kPathField = 1, kLog = 2 };

using P = window::SkinPalette;

// A place given at 96 dots per inch, scaled, as a RECT of edges.
RECT Scaled(const SkinTheme& theme, const WindowRect& r) {
    const int left = theme.Scale(r.left);
    const int top = theme.Scale(r.top);
    return {left, top, left + theme.Scale(r.width), top + theme.Scale(r.height)};
}

// A Comic Sans MS 12 push button.
HWND MakeButton(HWND parent, const SkinTheme& theme, const wchar_t* text, const WindowRect& place,
                std::function<void()> onClick) {
    const RECT r = Scaled(theme, place);
    SkinButtonSetup setup;
    setup.theme = &theme;
    setup.font = theme.Fonts().comic12;
    setup.onClick = std::move(onClick);
    return CreateSkinButton(parent, text, r.left, r.top, r.right - r.left, r.bottom - r.top, std::move(setup));
}

// Ticked at creation, with the help cursor.
HWND MakeCheckBox(HWND parent, const SkinTheme& theme, const wchar_t* text, const WindowRect& place, HFONT font,
                  std::function<void(MouseButton)> onRelease) {
    const RECT r = Scaled(theme, place);
    SkinButtonSetup setup;
    setup.kind = ButtonKind::CheckBox;
    setup.theme = &theme;
    setup.font = font;
    setup.cursor = LoadCursorW(nullptr, IDC_HELP);
    setup.onRelease = std::move(onRelease);
    HWND box = CreateSkinButton(parent, text, r.left, r.top, r.right - r.left, r.bottom - r.top, std::move(setup));
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    return box;
}

// A system control at a place given at 96 dots per inch, in the given font.
HWND MakeSystemControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                       const SkinTheme& theme, const WindowRect& place, HFONT font) {
    const RECT r = Scaled(theme, place);
    HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr),
                                   nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// The text of a multi-line edit in the middle of its height, `margin` from its sides.
void CentreTextVertically(HWND edit, HFONT font, int margin) {
    HDC dc = GetDC(edit);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    RECT r{};
    GetClientRect(edit, &r);
    const int top = std::max(0L, (r.bottom - metrics.tmHeight) / 2);
    RECT text{margin, top, r.right - margin, top + metrics.tmHeight};
    SendMessageW(edit, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
}

}  // namespace

MainControls::MainControls(HWND window, int dpi, MainControlEvents& events)
    : window_(window), events_(events), theme_(dpi) {
    INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    ToolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (ToolTips) {
        // Unthemed, so it takes the skin's colours; a width limit lets the hints break at their line ends.
        SetWindowTheme(ToolTips, L"", L"");
        SendMessageW(ToolTips, TTM_SETMAXTIPWIDTH, 0, theme_.Scale(400));
    }
    CreateTitleBar();
    sClient = CreateSkinPanel(window_, L"", {}, Panel(nullptr));
    CreateFolderGroup();
    CreateActionsGroup();
    CreateStatusGroup();
    CreateProgressBars();
    Button1 = MakeSystemControl(sClient, L"BUTTON", L"B", WS_TABSTOP | BS_PUSHBUTTON, theme_, {864, 56, 27, 25},
                                theme_.Fonts().tahoma8);
    SelectSkin(theme_.Name());
    Arrange();
}

MainControls::~MainControls() {
    // The controls draw with this object's fonts and brushes: they end with it.
    for (HWND control : {ToolTips, sTitleBar1, sClient})
        if (control && IsWindow(control)) DestroyWindow(control);
}

void MainControls::CreateTitleBar() {
    SkinTitleBarSetup bar;
    bar.theme = &theme_;
    bar.onPress = [this] { BeginDrag(); };
    bar.onClose = [this] { events_.CloseClick(); };
    sTitleBar1 = CreateSkinTitleBar(window_, std::move(bar), &sTitleClose);
    SkinButtonSetup setupsPlus;
    setupsPlus.theme = &theme_;
    setupsPlus.font = theme_.Fonts().tahoma8;
    setupsPlus.cursor = LoadCursorW(nullptr, IDC_HELP);
    setupsPlus.onRelease = [this](MouseButton b) { events_.TitleItem0MouseUp(b); };
    sTitleItem0 = AddTitleBarItem(sTitleBar1, L"Setups+", 49, 21, std::move(setupsPlus));
    AddHint(sTitleItem0, L"Загрузка и запуск\r\nдополнительных настроек");
    Show(sTitleItem0, false);
    SkinButtonSetup forge;
    forge.theme = &theme_;
    forge.font = theme_.Fonts().tahoma8;
    forge.onRelease = [this](MouseButton b) { events_.TitleItem1MouseUp(b); };
    sTitleItem1 = AddTitleBarItem(sTitleBar1, L"Forge Install", 70, 21, std::move(forge));
}

// Places below are left, top, width, height at 96 dots per inch, as the Qt window gives them.
void MainControls::CreateFolderGroup() {
    sGroupBox2 = CreateSkinPanel(sClient, L"Путь к папке с игрой", Scaled(theme_, window::kFolderGroup),
                                 [&] {
                                     SkinPanelSetup group = Panel(theme_.Fonts().comic8Bold);
                                     group.captionColour = window::kCaptionText;
                                     return group;
                                 }());
    // Multi-line in style only: a single-line edit cannot place its text in the middle of its height.
    sEdit1 = MakeSystemControl(sGroupBox2, L"EDIT", L"", WS_BORDER | ES_READONLY | ES_MULTILINE | ES_AUTOHSCROLL,
                               theme_, {8, 19, 289, 24}, theme_.Fonts().comic8Bold);
    CentreTextVertically(sEdit1, theme_.Fonts().comic8Bold, theme_.Scale(3));
    SetWindowSubclass(sEdit1, &FieldProcedure, kPathField, reinterpret_cast<DWORD_PTR>(this));
    AddHint(sEdit1, L"Двойной клик чтобы скопировать в буфер обмена");
    sButtonOpenFolder = MakeButton(sGroupBox2, theme_, L"Открыть", {296, 19, 81, 21}, [this] { events_.ButtonOpenFolderClick(); });
    sLabel1 = MakeSystemControl(sGroupBox2, L"STATIC", L"Неправильный путь к папке с игрой!",
                                SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, theme_, {8, 36, 369, 33},
                                theme_.Fonts().comic12);
    sButtonSetFolder = MakeButton(sGroupBox2, theme_, L"Указать", {8, 68, 369, 21}, [this] { events_.ButtonSetFolderClick(); });
    sButtonCopyTL = MakeButton(sGroupBox2, theme_, L"TL", {344, 68, 33, 21}, [this] { events_.ButtonCopyTLClick(); });
    AddHint(sButtonCopyTL, L"Указать путь как в TLauncher Legacy");
    ShowWindow(sButtonCopyTL, SW_HIDE);
    // The label is drawn over the path field's lower edge in the definition; keep the field and
    // the buttons on top so their frames stay whole, and "TL" over the folder button it narrows.
    SetWindowPos(sLabel1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(sButtonCopyTL, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainControls::CreateActionsGroup() {
    sGroupBox3 = CreateSkinPanel(sClient, L"Действия", Scaled(theme_, window::kActionsGroup),
                                 [&] {
                                     SkinPanelSetup group = Panel(theme_.Fonts().comic8Bold);
                                     group.onMouseMove = [this] { events_.GroupBox3MouseMove(); };
                                     return group;
                                 }());
    sButtonCheck = MakeButton(sGroupBox3, theme_, L"Проверить совместимость", {8, 16, 369, 41}, [this] { events_.ButtonCheckClick(); });
    sButtonDownload = MakeButton(sGroupBox3, theme_, L"Запуск синхронизации", {8, 64, 306, 41}, [this] { events_.ButtonDownloadClick(); });
    EnableWindow(sButtonDownload, FALSE);
    sCheckBox1 = MakeCheckBox(sGroupBox3, theme_, L"Турбо", {317, 64, 58, 17}, theme_.Fonts().tahoma8,
                              [this](MouseButton b) { events_.CheckBox1MouseUp(b); });
    AddHint(sCheckBox1, L"Активирует 5-ти поточную загрузку,\r\nкоторая позволяет скачивать\r\n"
                        L"одновременно сразу 5 файлов.");
    sCheckBox2 = MakeCheckBox(sGroupBox3, theme_, L"Setups", {317, 88, 68, 17}, theme_.Fonts().comic8Bold,
                              [this](MouseButton b) { events_.CheckBox2MouseUp(b); });
    AddHint(sCheckBox2, L"Если стоит галочка, то по окончании\r\nзагрузок будет загружен и запущен\r\n"
                        L"файл с дополнительными настройками.");
    sButtonExit = MakeButton(sGroupBox3, theme_, L"Выход", {8, 112, 369, 41}, [this] { events_.ButtonExitClick(); });
    EnableWindow(sGroupBox3, FALSE);
    ShowWindow(sGroupBox3, SW_HIDE);
}

void MainControls::CreateStatusGroup() {
    sGroupBox1 = CreateSkinPanel(sClient, L"Статус", Scaled(theme_, window::kStatusGroup),
                                 [&] {
                                     SkinPanelSetup group = Panel(theme_.Fonts().comic8Bold);
                                     group.captionLeft = true;
                                     return group;
                                 }());
    sMemo1 = MakeSystemControl(sGroupBox1, L"LISTBOX", L"",
                               WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL |
                                   LBS_USETABSTOPS | LBS_DISABLENOSCROLL | LBS_HASSTRINGS,
                               theme_, {8, 16, 401, 234}, theme_.Fonts().tahoma8Bold);
    SetWindowSubclass(sMemo1, &FieldProcedure, kLog, reinterpret_cast<DWORD_PTR>(this));
    AddHint(sMemo1, L"Двойной клик чтобы открыть \"Статус.txt\"");
    ShowWindow(sGroupBox1, SW_HIDE);
}

void MainControls::CreateProgressBars() {
    constexpr int lefts[] = {8, 171, 334, 498, 662};
    constexpr int widths[] = {155, 155, 156, 156, 155};
    HWND* bars[] = {&sProgressBar1, &sProgressBar2, &sProgressBar3, &sProgressBar4, &sProgressBar5};
    for (int i = 0; i < 5; ++i)
        *bars[i] = CreateSkinProgressBar(sClient, Scaled(theme_, {lefts[i], 264, widths[i], 17}), theme_);
}

// A drag area in the skin's window colour; a group when it has a caption font.
SkinPanelSetup MainControls::Panel(HFONT captionFont) {
    SkinPanelSetup setup;
    setup.theme = &theme_;
    setup.font = captionFont;
    setup.onPress = [this] { BeginDrag(); };
    return setup;
}

void MainControls::AddHint(HWND control, const wchar_t* hint) {
    if (!ToolTips || !control) return;
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(hint);
    SendMessageW(ToolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainControls::Arrange() {
    RECT r{};
    GetClientRect(window_, &r);
    ArrangeTitleBar(sTitleBar1);
    const int frame = theme_.Scale(kFrame);
    const int top = theme_.Scale(kTitleBarHeight);
    SetWindowPos(sClient, nullptr, frame, top, std::max(0L, r.right - 2 * frame), std::max(0L, r.bottom - top - frame),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND MainControls::ProgressBar(int number) const {
    switch (number) {
        case 1: return sProgressBar1;
        case 2: return sProgressBar2;
        case 3: return sProgressBar3;
        case 4: return sProgressBar4;
        case 5: return sProgressBar5;
        default: return nullptr;
    }
}

void MainControls::SetPathText(std::string_view utf8) { SetWindowTextW(sEdit1, WideFromUtf8(utf8).c_str()); }
std::string MainControls::PathText() const { return Utf8FromWide(WindowText(sEdit1)); }
void MainControls::SetLabelText(std::string_view utf8) { SetWindowTextW(sLabel1, WideFromUtf8(utf8).c_str()); }
std::string MainControls::LabelText() const { return Utf8FromWide(WindowText(sLabel1)); }

void MainControls::Show(HWND control, bool visible) {
    ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
    if (GetParent(control) == sTitleBar1) ArrangeTitleBar(sTitleBar1);
}

void MainControls::Enable(HWND control, bool enabled) { EnableWindow(control, enabled ? TRUE : FALSE); }

bool MainControls::Checked(HWND checkBox) const { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void MainControls::SetChecked(HWND checkBox, bool checked) {
    SendMessageW(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainControls::SetProgress(int number, int value) {
    if (HWND bar = ProgressBar(number)) SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

int MainControls::Progress(int number) const {
    HWND bar = ProgressBar(number);
    return bar ? static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)) : 0;
}

void MainControls::AppendLog(const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    for (const std::string& line : lines) {
        const std::wstring wide = WideFromUtf8(line);
        SendMessageW(sMemo1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        WidenLogFor(wide);
    }
    const LRESULT count = SendMessageW(sMemo1, LB_GETCOUNT, 0, 0);
    SendMessageW(sMemo1, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
}

// A list box scrolls sideways only as far as it is told: the widest line so far.
void MainControls::WidenLogFor(const std::wstring& line) {
    HDC dc = GetDC(sMemo1);
    HGDIOBJ old = SelectObject(dc, theme_.Fonts().tahoma8Bold);
    const DWORD extent = GetTabbedTextExtentW(dc, line.c_str(), static_cast<int>(line.size()), 0, nullptr);
    SelectObject(dc, old);
    ReleaseDC(sMemo1, dc);
    const int width = LOWORD(extent) + theme_.Scale(6);
    if (width <= logExtent_) return;
    logExtent_ = width;
    SendMessageW(sMemo1, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
}

bool MainControls::SelectSkin(std::string_view name) {
    if (!theme_.Select(name)) return false;
    if (ToolTips) {
        SendMessageW(ToolTips, TTM_SETTIPBKCOLOR, theme_.Colour(&P::window), 0);
        SendMessageW(ToolTips, TTM_SETTIPTEXTCOLOR, theme_.Colour(&P::caption), 0);
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return true;
}

bool MainControls::BeginDrag() {
    if (!events_.MayStartDrag()) return false;
    ReleaseCapture();
    SendMessageW(window_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    return true;
}

bool MainControls::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_SIZE:
            Arrange();
            result = 0;
            return true;
        case WM_ERASEBKGND: {
            RECT r{};
            GetClientRect(window_, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, theme_.WindowBrush());
            result = 1;
            return true;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            BeginDrag();
            result = 0;
            return true;
        case WM_SETTEXT:
            // The title bar shows the window's caption.
            InvalidateRect(sTitleBar1, nullptr, FALSE);
            return false;
        default: return false;
    }
}

LRESULT CALLBACK MainControls::FieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR self) {
    auto& controls = *reinterpret_cast<MainControls*>(self);
    if (id == kLog && message != WM_NCPAINT && MayRedrawScrollBars(message)) {
        const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
        PaintSkinScrollBars(field, controls.theme_);
        return result;
    }
    switch (message) {
        case WM_NCPAINT:
        case WM_PAINT: {
            // The system's look, then the skin's frame colour over its border (the edit draws
            // its border in its client area, the list box outside it: the window's DC has both).
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
            HDC dc = GetWindowDC(field);
            RECT r{};
            GetWindowRect(field, &r);
            OffsetRect(&r, -r.left, -r.top);
            HBRUSH frame = CreateSolidBrush(controls.theme_.Colour(&P::frame));
            FrameRect(dc, &r, frame);
            DeleteObject(frame);
            ReleaseDC(field, dc);
            if (id == kLog) PaintSkinScrollBars(field, controls.theme_);
            return result;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (controls.BeginDrag()) return 0;
            break;
        case WM_LBUTTONDBLCLK:
            if (id == kPathField)
                controls.events_.Edit1DblClick();
            else
                controls.events_.Memo1DblClick();
            return 0;
        case WM_SETFOCUS:
            if (id == kPathField) {
                const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
                controls.events_.Edit1Enter();
                return result;
            }
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(field, &FieldProcedure, id); break;
        default: break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

}  // namespace packwell::win32
