#include "ui/win32/CleanupDialog.h"

#include "core/cleanup/CleanupGeometry.h"
#include "ui/win32/CheckList.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/WorkArea.h"
#include "ui/win32/skin/SkinButton.h"
#include "ui/win32/skin/SkinPanel.h"
#include "ui/win32/skin/SkinTitleBar.h"

namespace packwell::win32 {

namespace {

constexpr int kGroupWidth = 521;
constexpr int kGroupHeight = 225;
constexpr int kItemHeight = 16;

RECT Place(const SkinTheme& theme, int left, int top, int width, int height) {
    return {theme.Scale(left), theme.Scale(top), theme.Scale(left + width), theme.Scale(top + height)};
}

}  // namespace

CleanupDialog::CleanupDialog(MainWindow& main)
    : CleanupDialogState(main), mainWindow_(main), theme_(WindowDpi(main.Handle())) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kCleanupDialogClass;
    RegisterClassExW(&windowClass);  // a second dialog in one process finds it registered
    // On top of every window, with its own task bar entry while the main window is hidden.
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_APPWINDOW, kCleanupDialogClass, L"Очистка лишних файлов",
                              WS_POPUP | WS_CLIPCHILDREN, 0, 0, theme_.Scale(kCleanupDialogWidth),
                              theme_.Scale(kCleanupDialogHeight), nullptr, nullptr, GetModuleHandleW(nullptr), this);

    SkinTitleBarSetup bar;
    bar.theme = &theme_;
    bar.onPress = [this] { BeginDrag(); };
    HWND close = nullptr;
    sTitleBar1 = CreateSkinTitleBar(window_, std::move(bar), &close);
    if (close) ShowWindow(close, SW_HIDE);  // no title-bar buttons at all

    SkinPanelSetup client;
    client.theme = &theme_;
    client.onPress = [this] { BeginDrag(); };
    sClient = CreateSkinPanel(window_, L"", {}, client);
    SkinPanelSetup group = client;
    sGroupBox1 = CreateSkinPanel(sClient, L"", Place(theme_, 8, 8, kGroupWidth, kGroupHeight), group);

    const RECT label = Place(theme_, 0, 8, 505, 41);
    sLabel1 = CreateWindowExW(0, L"STATIC",
                              L"Файлы из следующего списка можно удалить.\r\n"
                              L"Снимите галочки около файлов, которые хотите оставить.",
                              WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, label.left, label.top,
                              label.right - label.left, label.bottom - label.top, sGroupBox1, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SendMessageW(sLabel1, WM_SETFONT, reinterpret_cast<WPARAM>(theme_.Fonts().comic10), FALSE);
    sCheckListBoxDel = CreateCheckList(sGroupBox1, Place(theme_, 8, 48, 505, 137), theme_.Fonts().tahoma8,
                                       theme_.Scale(kItemHeight));
    SkinButtonSetup del;
    del.theme = &theme_;
    del.font = theme_.Fonts().comic12Bold;
    del.onClick = [this] { sButtonDelClick(); };
    sButtonDel = CreateSkinButton(sGroupBox1, L"Удалить", theme_.Scale(8), theme_.Scale(192), theme_.Scale(505),
                                  theme_.Scale(25), std::move(del));
    Arrange();
}

CleanupDialog::~CleanupDialog() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

void CleanupDialog::SelectSkin(std::string_view name) {
    if (theme_.Select(name)) RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CleanupDialog::ShowAt(const RECT& place) {
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    const POINT corner = CentredInWorkArea(width, height);
    SetWindowPos(window_, HWND_TOPMOST, corner.x, corner.y, width, height, SWP_NOACTIVATE);
    FormShow();
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

std::vector<CleanupItem> CleanupDialog::Items() const { return CheckListItems(sCheckListBoxDel); }

void CleanupDialog::ShowItems(const std::vector<CleanupItem>& items) { SetCheckListItems(sCheckListBoxDel, items); }

void CleanupDialog::ShowMainInPlace() {
    RECT place{};
    GetWindowRect(window_, &place);
    mainWindow_.ShowInPlace(place);
    ShowWindow(window_, SW_HIDE);
}

void CleanupDialog::BeginDrag() {
    if (!sGroupBox1MouseDown()) return;
    ReleaseCapture();
    SendMessageW(window_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

void CleanupDialog::Arrange() {
    RECT r{};
    GetClientRect(window_, &r);
    ArrangeTitleBar(sTitleBar1);
    const int side = theme_.Scale(kSideFrame);
    const int top = theme_.Scale(kTopFrame);
    const int width = std::max(0, static_cast<int>(r.right) - 2 * side);
    const int height = std::max(0, static_cast<int>(r.bottom) - top - side);
    SetWindowPos(sClient, nullptr, side, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(sGroupBox1, nullptr, (width - theme_.Scale(kGroupWidth)) / 2, (height - theme_.Scale(kGroupHeight)) / 2,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK CleanupDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<CleanupDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT CleanupDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            Arrange();
            return 0;
        case WM_ERASEBKGND: {
            RECT r{};
            GetClientRect(window_, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, theme_.WindowBrush());
            return 1;
        }
        case WM_LBUTTONDOWN:
            BeginDrag();
            return 0;
        case WM_CLOSE:
            // Nothing closes the dialog but "Удалить": the hidden main window would be lost.
            return 0;
        default: return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace packwell::win32
