#include "ui/win32/MainWindow.h"

#include <cstring>

#include "core/cleanup/CleanupGeometry.h"
#include "core/settings/SharedValues.h"
#include "ui/win32/CleanupDialog.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/LayeredAlpha.h"
#include "ui/win32/NestedLoop.h"
#include "ui/win32/WideText.h"
#include "ui/win32/WorkArea.h"

namespace packwell::win32 {

namespace {

constexpr BYTE kOpaque = 255;

std::string TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWide(text);
}

int Percent(window::BarValue value) {
    return value.maximum > 0 ? static_cast<int>(static_cast<long long>(value.value) * 100 / value.maximum) : 0;
}

}  // namespace

MainWindow::MainWindow(WindowServices services) : MainWindow(std::move(services), std::make_shared<UiQueue>()) {}

MainWindow::MainWindow(WindowServices services, std::shared_ptr<UiQueue> queue)
    : MainWindowState(
          [queue, this](std::function<void()> work) {
              queue->Post([this, work = std::move(work)] { Guarded(work); });
          },
          [this](const auto& file, const auto& dir) { services_.openProgram(file, dir); }),
      services_(std::move(services)),
      queue_(std::move(queue)) {}

MainWindow::~MainWindow() {
    StatusLog.SetListener(nullptr);
    // Running workers are stopped and joined while the bars and the log they use still exist.
    StopJobs();
    EndRun();
    animations_.reset();
    cleanup_.reset();
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool MainWindow::Create(HINSTANCE instance) {
    LoadProgramValues();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kMainWindowClass;
    // The icon the resource script gives the program (1), in both sizes Windows asks for.
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    // A second window in one process (the tests) finds the class registered already.
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    // No system caption or border: the client area is the whole window. The system menu (close
    // only) keeps Alt+F4 and the task bar's close; WS_EX_APPWINDOW gives the popup its task bar
    // entry, which shows the caption the title bar shows too. The size comes with the controls.
    const std::wstring caption = WideFromUtf8(Caption());
    window_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_APPWINDOW, kMainWindowClass, caption.c_str(),
                              WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr, instance, this);
    if (!window_) return false;
    queue_->Attach(window_);
    timers_.Attach(window_);
    animations_ = std::make_unique<WindowAnimations>(window_);
    const int dpi = WindowDpi(window_);
    controls_ = std::make_unique<MainControls>(window_, dpi, static_cast<MainControlEvents&>(*this));
    const window::MainLayouts layouts = Layouts();
    SetWindowPos(window_, nullptr, 0, 0, ScaleFrom96(layouts.compactWidth, dpi),
                 ScaleFrom96(layouts.compactHeight, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < 5; ++i) {
        const int number = i + 1;
        barAdapters_[i] = std::make_unique<Win32ProgressBar>(
            GetCurrentThreadId(), [this, number](window::BarValue value) { controls_->SetProgress(number, Percent(value)); },
            [queue = queue_](std::function<void()> work) { queue->Post(std::move(work)); });
    }
    // Queued even from this thread, so lines from workers and from here keep one order.
    StatusLog.SetListener([this, queue = queue_](const std::vector<std::string>& lines) {
        queue->Post([this, lines] { controls_->AppendLog(lines); });
    });
    cleanup_ = std::make_unique<CleanupDialog>(*this);
    // Opaque until the closing fade lowers it.
    SetWindowAlpha(window_, kOpaque);
    StartTimer(window::MainTimer::Startup);
    return true;
}

void MainWindow::Show() {
    RECT r{};
    GetWindowRect(window_, &r);
    const POINT corner = CentredInWorkArea(r.right - r.left, r.bottom - r.top);
    SetWindowPos(window_, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    FocusButton1();
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || self->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT handled = 0;
    if (controls_ && controls_->HandleWindowMessage(message, wParam, lParam, handled)) return handled;
    switch (message) {
        case UiQueue::kMessage:
            queue_->Drain();
            return 0;
        case WM_TIMER:
            if (const auto timer = MainTimers::FromId(wParam)) {
                switch (*timer) {
                    case window::MainTimer::Startup: Timer1Timer(); break;
                    case window::MainTimer::Validation: Timer5Timer(); break;
                    case window::MainTimer::Dispatcher: Timer6Timer(); break;
                }
                return 0;
            }
            break;
        case WM_CLOSE:
            // Every close request is refused: the closing sequence ends the program instead.
            FormCloseQuery();
            return 0;
        case WM_DPICHANGED: {
            // Moved to a screen of another scale: take the size Windows proposes for it, so the
            // window keeps its size in points rather than in pixels.
            const RECT& proposed = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
                         proposed.bottom - proposed.top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            controls_.reset();
            return 0;
        default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

RECT MainWindow::Placement96(HWND control) const {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    const int dpi = WindowDpi(window_);
    return {ScaleTo96(r.left, dpi), ScaleTo96(r.top, dpi), ScaleTo96(r.right, dpi), ScaleTo96(r.bottom, dpi)};
}

window::MainLayouts MainWindow::Layouts() const {
    const RECT folderGroup = Placement96(controls_->sGroupBox2);
    return window::MainLayouts::From({folderGroup.right, folderGroup.bottom,
                                      Placement96(controls_->sGroupBox3).bottom, Placement96(controls_->sGroupBox1).right,
                                      Placement96(controls_->sProgressBar1).bottom});
}

int MainWindow::FolderGroupBottom() const { return Placement96(controls_->sGroupBox2).bottom; }

window::Size MainWindow::WindowSize() const {
    RECT r{};
    GetWindowRect(window_, &r);
    const int dpi = WindowDpi(window_);
    return {ScaleTo96(r.right - r.left, dpi), ScaleTo96(r.bottom - r.top, dpi)};
}

int MainWindow::WindowTop() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return ScaleTo96(r.top, WindowDpi(window_));
}

window::Size MainWindow::ScreenSize() const {
    const int dpi = WindowDpi(window_);
    return {ScaleTo96(GetSystemMetrics(SM_CXSCREEN), dpi), ScaleTo96(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

void MainWindow::ShowError(const std::exception& error) {
    MessageBoxW(window_, WideFromUtf8(error.what()).c_str(), WideFromUtf8(window::kApplicationTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

FutureDownloads::ProgressBar* MainWindow::BarAdapter(int number) const {
    return number >= 1 && number <= 5 ? barAdapters_[number - 1].get() : nullptr;
}

void MainWindow::ShowGameDir(const std::string& dir) { controls_->SetPathText(dir); }

std::optional<std::string> MainWindow::ChooseFolder() { return services_.chooseFolder(window_, pickerFolder_); }

void MainWindow::ShowFolderLabel(const std::string& text) { controls_->SetLabelText(text); }

void MainWindow::ShowActions(bool shown) {
    controls_->Enable(controls_->sGroupBox3, shown);
    controls_->Show(controls_->sGroupBox3, shown);
    controls_->Show(controls_->sTitleItem0, shown);
    controls_->Show(controls_->sTitleItem1, shown);
}

void MainWindow::ShowCopyTL(bool shown) {
    controls_->Enable(controls_->sButtonCopyTL, shown);
    controls_->Show(controls_->sButtonCopyTL, shown);
}

int MainWindow::FolderButtonWidth() const {
    const RECT r = Placement96(controls_->sButtonSetFolder);
    return r.right - r.left;
}

void MainWindow::AnimateFolderButton(int width, double speed, const std::string& task) {
    anim::Targets to;
    to.Width = width;
    animations_->Animate(controls_->sButtonSetFolder, to, speed, task);
}

void MainWindow::CopyPathToClipboard() {
    const std::wstring text = WideFromUtf8(controls_->PathText());
    if (!OpenClipboard(window_)) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        // The clipboard owns the memory once it takes it.
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

bool MainWindow::TurboTicked() const { return controls_->Checked(controls_->sCheckBox1); }
bool MainWindow::SetupsTicked() const { return controls_->Checked(controls_->sCheckBox2); }

void MainWindow::SetTicks(bool turbo, bool setups) {
    controls_->SetChecked(controls_->sCheckBox1, turbo);
    controls_->SetChecked(controls_->sCheckBox2, setups);
}

std::string MainWindow::CheckCaption() const { return TextOf(controls_->sButtonCheck); }
std::string MainWindow::DownloadCaption() const { return TextOf(controls_->sButtonDownload); }

void MainWindow::EnableWindow(bool enabled) { ::EnableWindow(window_, enabled ? TRUE : FALSE); }
void MainWindow::EnableDownload(bool enabled) { controls_->Enable(controls_->sButtonDownload, enabled); }
void MainWindow::FocusDownload() { SetFocus(controls_->sButtonDownload); }
void MainWindow::FocusButton1() { SetFocus(controls_->Button1); }

bool MainWindow::AwaitFetch(const window::FetchStarter& start) {
    // Shared with the end handler, which may come after this frame is gone when the program ends.
    auto outcome = std::make_shared<std::optional<FetchAndOpenOutcome>>();
    if (start([outcome](const FetchAndOpenOutcome& ended) { *outcome = ended; }) != FetchStart::Started) return false;
    HandleMessagesUntil([&] { return outcome->has_value(); });
    return *outcome && (*outcome)->result == FetchAndOpenResult::Downloaded;
}

void MainWindow::ShowCleanupDialog() {
    RECT place{};
    GetWindowRect(window_, &place);
    ShowWindow(window_, SW_HIDE);
    cleanup_->SelectSkin(controls_->SkinName());
    cleanup_->ShowAt(place);  // fills its list and centres itself at this size
    const window::Size screen = ScreenSize();
    const WindowRect target = CleanupDialogTarget(screen.width, screen.height);
    animations_->Animate(cleanup_->Handle(),
                         {.Left = target.left, .Top = target.top, .Width = target.width, .Height = target.height},
                         window::kLayoutSpeed, window::kSizeTask);
}

void MainWindow::ShowInPlace(const RECT& place) {
    SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Show();
}

void MainWindow::ShowStatusGroup() { controls_->Show(controls_->sGroupBox1, true); }

void MainWindow::ShowBars(const window::BarsLayout& bars) {
    for (int i = 1; i <= 5; ++i) controls_->Show(controls_->ProgressBar(i), bars.shown[i - 1]);
    const int dpi = WindowDpi(window_);
    const RECT client = Placement96(controls_->sClient);
    const RECT second = Placement96(controls_->sProgressBar2);
    const RECT first = Placement96(controls_->sProgressBar1);
    const int width = bars.firstBarAcross ? (client.right - client.left) - 16 : second.right - second.left;
    SetWindowPos(controls_->sProgressBar1, nullptr, 0, 0, ScaleFrom96(width, dpi), ScaleFrom96(first.bottom - first.top, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::ScrollLogToEnd() {
    const LRESULT count = SendMessageW(controls_->sMemo1, LB_GETCOUNT, 0, 0);
    if (count > 0) SendMessageW(controls_->sMemo1, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
}

void MainWindow::ShowExportError(const std::string& reason) {
    const std::string text = "Не удалось сохранить статус в файл «Packwell - Статус.txt».\r\n" + reason;
    MessageBoxW(window_, WideFromUtf8(text).c_str(), L"Статус", MB_OK | MB_ICONERROR);
}

void MainWindow::AnimateWindow(const anim::Targets& to, double speed, const std::string& task) {
    animations_->Animate(window_, to, speed, task);
}

void MainWindow::StopAnimations() {
    if (animations_) animations_->Stop();
}

void MainWindow::PumpEvents() {
    Sleep(1);
    HandlePendingMessages();
}

void MainWindow::SetAlpha(int alpha) { SetWindowAlpha(window_, static_cast<BYTE>(alpha)); }

void MainWindow::RequestClose() { SendMessageW(window_, WM_CLOSE, 0, 0); }

}  // namespace packwell::win32
