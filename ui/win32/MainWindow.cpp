#include "ui/win32/MainWindow.h"

#include "ui/win32/DpiScale.h"
#include "ui/win32/LayeredAlpha.h"
#include "ui/win32/ScreenshotHook.h"
#include "core/Utf8Path.h"
#include "core/settings/SharedValues.h"
#include "ui/window/MainControls.h"
#include "ui/window/MainLayouts.h"
#include "ui/window/MainCaption.h"

namespace packwell::win32 {

namespace {

// The compact layout shows the folder group alone (406 x 133 at 96 dots per inch).
window::Size CompactSize() {
    constexpr WindowRect group = window::kFolderGroup;
    const auto layouts = window::MainLayouts::From({.folderGroupRight = group.left + group.width,
                                                    .folderGroupBottom = group.top + group.height});
    return {layouts.compactWidth, layouts.compactHeight};
}

// The window colour of the skin selected at creation ("Emerald (internal)").
constexpr COLORREF kEmeraldWindow = RGB(0x0e, 0x3b, 0x2f);

constexpr BYTE kOpaque = 255;

}  // namespace

MainWindow::~MainWindow() {
    // After the message loop the window is normally gone already.
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    if (background_) DeleteObject(background_);
}

bool MainWindow::Create(HINSTANCE instance) {
    background_ = CreateSolidBrush(kEmeraldWindow);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background_;
    windowClass.lpszClassName = kMainWindowClass;
    // The icon the resource script gives the program (1), in both sizes Windows asks for.
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    if (!RegisterClassExW(&windowClass)) return false;

    const int dpi = ScreenDpi();
    const window::Size compact = CompactSize();
    // No system caption or border: the client area is the whole window. The system menu (close
    // only) keeps Alt+F4 and the task bar's close; WS_EX_APPWINDOW gives the popup its task bar
    // entry.
    // The task bar shows the caption; the title bar the program draws will show it too.
    const std::wstring caption = PathFromUtf8(window::MainCaption(kGameVersion)).wstring();
    window_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_APPWINDOW, kMainWindowClass, caption.c_str(),
                              WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0,
                              ScaleFrom96(compact.width, dpi), ScaleFrom96(compact.height, dpi), nullptr, nullptr,
                              instance, this);
    if (!window_) return false;
    controls_ = std::make_unique<MainControls>(window_, dpi, static_cast<MainControlEvents&>(*this));
    ApplyScreenshotHook(window_, *controls_);
    // Opaque until the closing fade lowers it.
    SetWindowAlpha(window_, kOpaque);
    return true;
}

void MainWindow::Show() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT r{};
    GetWindowRect(window_, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT handled = 0;
    if (self && self->controls_ && self->controls_->HandleWindowMessage(message, wParam, lParam, handled))
        return handled;
    switch (message) {
        case WM_CLOSE:
            // For now a close request ends the program at once; the fading close replaces this.
            DestroyWindow(window);
            return 0;
        case WM_DPICHANGED: {
            // Moved to a screen of another scale: take the size Windows proposes for it, so the
            // window keeps its size in points rather than in pixels.
            const RECT& proposed = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
                         proposed.bottom - proposed.top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            if (self) self->controls_.reset();
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace packwell::win32
