// The main window's native controls on a window of this test: every control where the Qt window
// has it (at 96 and at 144 dots per inch), its initial state, hints, fonts, skin colours as
// drawn, the events each reports, and the calls the window makes.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/win32/ScopedRegistryValue.h"
#include "ui/win32/MainControls.h"

namespace {

using namespace packwell;
using win32::MainControls;
using win32::MouseButton;

// Records what the controls report, with the check boxes' state at the moment of the report.
struct Recorder : win32::MainControlEvents {
    std::vector<std::string> calls;
    MainControls* controls = nullptr;
    bool allowDrag = false;

    void Note(const std::string& call) { calls.push_back(call); }
    static std::string Of(MouseButton b) { return b == MouseButton::Left ? "left" : b == MouseButton::Right ? "right" : "middle"; }

    void ButtonCheckClick() override { Note("check"); }
    void ButtonDownloadClick() override { Note("download"); }
    void ButtonExitClick() override { Note("exit"); }
    void ButtonSetFolderClick() override { Note("set folder"); }
    void ButtonCopyTLClick() override { Note("copy TL"); }
    void ButtonOpenFolderClick() override { Note("open folder"); }
    void CheckBox1MouseUp(MouseButton b) override {
        Note("box 1 " + Of(b) + (controls->Checked(controls->sCheckBox1) ? " ticked" : " clear"));
    }
    void CheckBox2MouseUp(MouseButton b) override {
        Note("box 2 " + Of(b) + (controls->Checked(controls->sCheckBox2) ? " ticked" : " clear"));
    }
    void TitleItem0MouseUp(MouseButton b) override { Note("item 0 " + Of(b)); }
    void TitleItem1MouseUp(MouseButton b) override { Note("item 1 " + Of(b)); }
    void CloseClick() override { Note("close"); }
    void Edit1DblClick() override { Note("path double-click"); }
    void Edit1Enter() override { Note("path focus"); }
    void Memo1DblClick() override { Note("log double-click"); }
    void GroupBox3MouseMove() override { Note("actions move"); }
    bool MayStartDrag() override {
        Note("may drag?");
        return allowDrag;
    }
};

// A borderless window like the program's, in the full layout's size, that hands the controls
// the messages the program's window hands them.
class Host {
public:
    explicit Host(int dpi) {
        static const bool registered = [] {
            WNDCLASSEXW c{};
            c.cbSize = sizeof c;
            c.lpfnWndProc = &Procedure;
            c.hInstance = GetModuleHandleW(nullptr);
            c.lpszClassName = L"PackwellControlsTestHost";
            return RegisterClassExW(&c) != 0;
        }();
        EXPECT_TRUE(registered);
        window = CreateWindowExW(0, L"PackwellControlsTestHost", L"Packwell v1.2.6 - Brenvik 1.12.2", WS_POPUP, 0, 0,
                                 MulDiv(830, dpi, 96), MulDiv(317, dpi, 96), nullptr, nullptr,
                                 GetModuleHandleW(nullptr), this);
        controls = std::make_unique<MainControls>(window, dpi, events);
        events.controls = controls.get();
        ShowWindow(window, SW_SHOWNOACTIVATE);
    }
    ~Host() {
        controls.reset();
        DestroyWindow(window);
    }

    HWND window = nullptr;
    Recorder events;
    std::unique_ptr<MainControls> controls;

private:
    static LRESULT CALLBACK Procedure(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(w, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* host = reinterpret_cast<Host*>(GetWindowLongPtrW(w, GWLP_USERDATA));
        LRESULT result = 0;
        if (host && host->controls && host->controls->HandleWindowMessage(message, wParam, lParam, result))
            return result;
        return DefWindowProcW(w, message, wParam, lParam);
    }
};

class MainControlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { driver_ = std::make_unique<test::NullGraphicsDriver>(); }
    static void TearDownTestSuite() { driver_.reset(); }
    static std::unique_ptr<test::NullGraphicsDriver> driver_;
};
std::unique_ptr<test::NullGraphicsDriver> MainControlsTest::driver_;

RECT InParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring Text(HWND control) {
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    return text;
}

bool HasStyle(HWND control, DWORD style) { return (GetWindowLongW(control, GWL_STYLE) & style) != 0; }

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

SIZE TextExtent(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

// The control as it draws itself, read back pixel by pixel.
class Rendering {
public:
    explicit Rendering(HWND control) {
        RECT r{};
        GetClientRect(control, &r);
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, r.right, r.bottom);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
        width = r.right;
        height = r.bottom;
    }
    ~Rendering() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    int Count(COLORREF colour, RECT area) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) n += At(x, y) == colour;
        return n;
    }
    int width = 0;
    int height = 0;

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

// --- every control where the Qt window has it ---

struct Placement {
    const char* name;
    HWND MainControls::*control;
    HWND MainControls::*parent;
    RECT at96;  // left, top, width, height
    const wchar_t* caption;
    const wchar_t* face;
    int pixels96;  // the character height at 96 dots per inch
    bool bold;
};

const Placement kPlacements[] = {
    {"sGroupBox2", &MainControls::sGroupBox2, &MainControls::sClient, {8, 0, 385, 97}, L"Путь к папке с игрой", L"Comic Sans MS", 11, true},
    {"sEdit1", &MainControls::sEdit1, &MainControls::sGroupBox2, {8, 19, 289, 24}, L"", L"Comic Sans MS", 11, true},
    {"sButtonOpenFolder", &MainControls::sButtonOpenFolder, &MainControls::sGroupBox2, {296, 19, 81, 21}, L"Открыть", L"Comic Sans MS", 16, false},
    {"sLabel1", &MainControls::sLabel1, &MainControls::sGroupBox2, {8, 36, 369, 33}, L"Неправильный путь к папке с игрой!", L"Comic Sans MS", 16, false},
    {"sButtonSetFolder", &MainControls::sButtonSetFolder, &MainControls::sGroupBox2, {8, 68, 369, 21}, L"Указать", L"Comic Sans MS", 16, false},
    {"sButtonCopyTL", &MainControls::sButtonCopyTL, &MainControls::sGroupBox2, {344, 68, 33, 21}, L"TL", L"Comic Sans MS", 16, false},
    {"sGroupBox3", &MainControls::sGroupBox3, &MainControls::sClient, {8, 97, 385, 161}, L"Действия", L"Comic Sans MS", 11, true},
    {"sButtonCheck", &MainControls::sButtonCheck, &MainControls::sGroupBox3, {8, 16, 369, 41}, L"Проверить совместимость", L"Comic Sans MS", 16, false},
    {"sButtonDownload", &MainControls::sButtonDownload, &MainControls::sGroupBox3, {8, 64, 306, 41}, L"Запуск синхронизации", L"Comic Sans MS", 16, false},
    {"sCheckBox1", &MainControls::sCheckBox1, &MainControls::sGroupBox3, {317, 64, 58, 17}, L"Турбо", L"Tahoma", 11, false},
    {"sCheckBox2", &MainControls::sCheckBox2, &MainControls::sGroupBox3, {317, 88, 68, 17}, L"Setups", L"Comic Sans MS", 11, true},
    {"sButtonExit", &MainControls::sButtonExit, &MainControls::sGroupBox3, {8, 112, 369, 41}, L"Выход", L"Comic Sans MS", 16, false},
    {"sGroupBox1", &MainControls::sGroupBox1, &MainControls::sClient, {400, 0, 417, 258}, L"Статус", L"Comic Sans MS", 11, true},
    {"sMemo1", &MainControls::sMemo1, &MainControls::sGroupBox1, {8, 16, 401, 234}, L"", L"Tahoma", 11, true},
    {"sProgressBar1", &MainControls::sProgressBar1, &MainControls::sClient, {8, 264, 155, 17}, L"", nullptr, 0, false},
    {"sProgressBar2", &MainControls::sProgressBar2, &MainControls::sClient, {171, 264, 155, 17}, L"", nullptr, 0, false},
    {"sProgressBar3", &MainControls::sProgressBar3, &MainControls::sClient, {334, 264, 156, 17}, L"", nullptr, 0, false},
    {"sProgressBar4", &MainControls::sProgressBar4, &MainControls::sClient, {498, 264, 156, 17}, L"", nullptr, 0, false},
    {"sProgressBar5", &MainControls::sProgressBar5, &MainControls::sClient, {662, 264, 155, 17}, L"", nullptr, 0, false},
    {"Button1", &MainControls::Button1, &MainControls::sClient, {864, 56, 27, 25}, L"B", nullptr, 0, false},
};

class ControlPlacement : public MainControlsTest, public ::testing::WithParamInterface<int> {};

TEST_P(ControlPlacement, EveryControlHasItsParentPlaceCaptionAndFontScaledToTheScreen) {
    const int dpi = GetParam();
    auto scale = [dpi](int v) { return MulDiv(v, dpi, 96); };
    Host host(dpi);
    const MainControls& c = *host.controls;
    for (const Placement& p : kPlacements) {
        SCOPED_TRACE(p.name);
        HWND control = c.*p.control;
        ASSERT_TRUE(IsWindow(control));
        EXPECT_EQ(GetParent(control), c.*p.parent);
        const RECT r = InParent(control);
        EXPECT_EQ(r.left, scale(p.at96.left));
        EXPECT_EQ(r.top, scale(p.at96.top));
        EXPECT_EQ(r.right - r.left, scale(p.at96.right));
        EXPECT_EQ(r.bottom - r.top, scale(p.at96.bottom));
        EXPECT_EQ(Text(control), p.caption);
        if (!p.face) continue;
        const LOGFONTW font = FontOf(control);
        EXPECT_STREQ(font.lfFaceName, p.face);
        EXPECT_EQ(-font.lfHeight, scale(p.pixels96));
        EXPECT_EQ(font.lfWeight >= FW_BOLD, p.bold);
    }

    // The title bar spans the window, 25 high; the client area sits under it inside a 3 px frame.
    RECT window{};
    GetClientRect(host.window, &window);
    const RECT bar = InParent(c.sTitleBar1);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(bar.right, window.right);
    EXPECT_EQ(bar.bottom, scale(25));
    const RECT client = InParent(c.sClient);
    EXPECT_EQ(client.left, scale(3));
    EXPECT_EQ(client.top, scale(25));
    EXPECT_EQ(window.right - client.right, scale(3));
    EXPECT_EQ(window.bottom - client.bottom, scale(3));

    // "Forge Install" at the right, left of the close button; "Setups+" appears left of it.
    const RECT close = InParent(c.sTitleClose);
    EXPECT_EQ(close.right, window.right - scale(2));
    RECT forge = InParent(c.sTitleItem1);
    EXPECT_EQ(forge.right, close.left - scale(4));
    EXPECT_EQ(forge.bottom - forge.top, scale(21));
    EXPECT_EQ(forge.right - forge.left, scale(70));
    EXPECT_EQ(Text(c.sTitleItem1), L"Forge Install");
    host.controls->Show(c.sTitleItem0, true);
    const RECT setups = InParent(c.sTitleItem0);
    EXPECT_EQ(setups.right, forge.left - scale(2));
    EXPECT_EQ(setups.right - setups.left, scale(49));
    EXPECT_EQ(setups.bottom - setups.top, scale(21));
    EXPECT_EQ(Text(c.sTitleItem0), L"Setups+");
    // Hidden again, it leaves no gap where "Forge Install" was.
    host.controls->Show(c.sTitleItem1, false);
    EXPECT_EQ(InParent(c.sTitleItem0).right, close.left - scale(4));
}

INSTANTIATE_TEST_SUITE_P(Dpi, ControlPlacement, ::testing::Values(96, 144));

TEST_F(MainControlsTest, StartsInTheDefinitionsInitialStates) {
    Host host(96);
    const MainControls& c = *host.controls;
    struct State {
        const char* name;
        HWND control;
        bool visible;
        bool enabled;
    } const states[] = {
        {"sGroupBox2", c.sGroupBox2, true, true},         {"sButtonSetFolder", c.sButtonSetFolder, true, true},
        {"sButtonCopyTL", c.sButtonCopyTL, false, true},   {"sGroupBox3", c.sGroupBox3, false, false},
        {"sButtonCheck", c.sButtonCheck, true, true},     {"sButtonDownload", c.sButtonDownload, true, false},
        {"sGroupBox1", c.sGroupBox1, false, true},         {"sProgressBar1", c.sProgressBar1, false, true},
        {"sProgressBar5", c.sProgressBar5, false, true},   {"Setups+", c.sTitleItem0, false, true},
        {"Forge Install", c.sTitleItem1, true, true},
    };
    for (const State& s : states) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(HasStyle(s.control, WS_VISIBLE), s.visible);
        EXPECT_EQ(IsWindowEnabled(s.control) != FALSE, s.enabled);
    }
    EXPECT_TRUE(c.Checked(c.sCheckBox1));
    EXPECT_TRUE(c.Checked(c.sCheckBox2));
    EXPECT_EQ(c.SkinName(), "Emerald (internal)");
    EXPECT_TRUE(HasStyle(c.sMemo1, WS_HSCROLL) && HasStyle(c.sMemo1, WS_VSCROLL));
}

TEST_F(MainControlsTest, HintsAreTheDefinitionsMultiLineTexts) {
    Host host(96);
    const MainControls& c = *host.controls;
    struct Hint {
        HWND control;
        const wchar_t* text;
    } const hints[] = {
        {c.sEdit1, L"Двойной клик чтобы скопировать в буфер обмена"},
        {c.sButtonCopyTL, L"Указать путь как в TLauncher Legacy"},
        {c.sCheckBox1, L"Активирует 5-ти поточную загрузку,\r\nкоторая позволяет скачивать\r\nодновременно сразу 5 файлов."},
        {c.sCheckBox2, L"Если стоит галочка, то по окончании\r\nзагрузок будет загружен и запущен\r\nфайл с дополнительными настройками."},
        {c.sMemo1, L"Двойной клик чтобы открыть \"Статус.txt\""},
        {c.sTitleItem0, L"Загрузка и запуск\r\nдополнительных настроек"},
    };
    for (const Hint& h : hints) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(h.text)));
        wchar_t text[256] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = GetParent(h.control);
        tool.uId = reinterpret_cast<UINT_PTR>(h.control);
        tool.lpszText = text;
        SendMessageW(c.ToolTips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, h.text);
    }
    // Without a width limit a tool tip shows its hint on one line, line ends and all.
    EXPECT_GT(SendMessageW(c.ToolTips, TTM_GETMAXTIPWIDTH, 0, 0), 0);
}

// Comic Sans MS is missing under Wine: this holds for the font the mapper picks instead, as it
// must on a player's machine that lacks it.
TEST_F(MainControlsTest, CaptionsFitTheirControls) {
    Host host(96);
    MainControls& c = *host.controls;
    host.controls->Show(c.sTitleItem0, true);
    for (HWND control : {c.sButtonOpenFolder, c.sLabel1, c.sButtonSetFolder, c.sButtonCopyTL, c.sButtonCheck,
                         c.sButtonDownload, c.sButtonExit, c.sTitleItem0, c.sTitleItem1}) {
        const std::wstring text = Text(control);
        SCOPED_TRACE(testing::PrintToString(text));
        RECT r{};
        GetClientRect(control, &r);
        const SIZE extent = TextExtent(control, text);
        EXPECT_LE(extent.cx, r.right);
        EXPECT_LE(extent.cy, r.bottom + 4) << "a line may overhang a 21 px button by its leading only";
    }
    // A check box's caption follows its 13 px box and a 3 px gap.
    for (HWND box : {c.sCheckBox1, c.sCheckBox2}) {
        RECT r{};
        GetClientRect(box, &r);
        EXPECT_LE(TextExtent(box, Text(box)).cx + 16, r.right) << testing::PrintToString(Text(box));
    }
}

// --- the skins as drawn ---

TEST_F(MainControlsTest, ASkinSwitchRepaintsInTheNewSkinsColours) {
    Host host(96);
    MainControls& c = *host.controls;
    auto face = [&] {
        Rendering button(c.sButtonCheck);
        return button.At(4, button.height / 2);  // inside the frame, left of the caption
    };
    auto panel = [&] { return Rendering(c.sGroupBox2).At(2, 30); };  // inside the group's frame
    auto bar = [&] {
        c.SetProgress(1, 50);
        Rendering drawn(c.sProgressBar1);
        return std::pair(drawn.At(3, 8), drawn.At(drawn.width - 3, 8));  // filled, empty
    };
    EXPECT_EQ(face(), RGB(0x16, 0x70, 0x4F));
    EXPECT_EQ(panel(), RGB(0x0E, 0x3B, 0x2F));
    EXPECT_EQ(bar(), std::pair(RGB(0x3D, 0xDC, 0x97), RGB(0x08, 0x2A, 0x21)));

    ASSERT_TRUE(c.SelectSkin("Material Dark (internal)"));
    EXPECT_EQ(face(), RGB(0x33, 0x33, 0x33));
    EXPECT_EQ(panel(), RGB(0x21, 0x21, 0x21));
    EXPECT_EQ(bar(), std::pair(RGB(0x26, 0xA6, 0x9A), RGB(0x18, 0x18, 0x18)));

    EXPECT_FALSE(c.SelectSkin("Material Light"));
    EXPECT_EQ(c.SkinName(), "Material Dark (internal)");
    EXPECT_EQ(face(), RGB(0x33, 0x33, 0x33));
}

TEST_F(MainControlsTest, ATickedBoxShowsItsTickAndAClearOneNone) {
    Host host(96);
    MainControls& c = *host.controls;
    c.Enable(c.sGroupBox3, true);  // in a disabled group the tick is grey
    const COLORREF accent = RGB(0x3D, 0xDC, 0x97);
    const RECT box{0, 0, 13, 17};
    const int ticked = Rendering(c.sCheckBox1).Count(accent, box);
    c.SetChecked(c.sCheckBox1, false);
    EXPECT_EQ(Rendering(c.sCheckBox1).Count(accent, box), 0);
    EXPECT_GE(ticked, 12) << "a tick of at least two pixels' width across the box";
}

// The actions group starts disabled: what it holds must look disabled too, not only refuse clicks.
TEST_F(MainControlsTest, ADisabledGroupGreysTheCaptionsOfWhatItHolds) {
    Host host(96);
    MainControls& c = *host.controls;
    const COLORREF caption = RGB(0xE6, 0xEE, 0xFF);
    const COLORREF disabled = RGB(0x7F, 0x9C, 0x92);
    auto count = [&](COLORREF colour) {
        Rendering drawn(c.sButtonExit);
        return drawn.Count(colour, {0, 0, drawn.width, drawn.height});
    };
    EXPECT_EQ(count(caption), 0);
    EXPECT_GT(count(disabled), 0);
    c.Enable(c.sGroupBox3, true);
    EXPECT_GT(count(caption), 0);
    EXPECT_EQ(count(disabled), 0);
}

// The folder button grows from 329 to 369 when "TL" hides: its old right border must not stay.
TEST_F(MainControlsTest, AGrownButtonIsRedrawnWhole) {
    Host host(96);
    HWND button = host.controls->sButtonSetFolder;
    for (int width : {329, 369}) {
        SetWindowPos(button, nullptr, 0, 0, width, 21, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateWindow(button);
    }
    HDC dc = GetDC(button);
    EXPECT_EQ(GetPixel(dc, 328, 10), RGB(0x16, 0x70, 0x4F)) << "the face, where the border was";
    EXPECT_EQ(GetPixel(dc, 368, 10), RGB(0x2A, 0x9D, 0x6F)) << "the border, at the new edge";
    ReleaseDC(button, dc);
}

// --- events ---

TEST_F(MainControlsTest, ButtonsReportTheirClicksAndADisabledOneNothing) {
    Host host(96);
    MainControls& c = *host.controls;
    c.Enable(c.sGroupBox3, true);
    c.Enable(c.sButtonDownload, true);
    struct Click {
        HWND button;
        const char* call;
    } const clicks[] = {{c.sButtonCheck, "check"},          {c.sButtonDownload, "download"},
                        {c.sButtonExit, "exit"},            {c.sButtonSetFolder, "set folder"},
                        {c.sButtonCopyTL, "copy TL"},       {c.sButtonOpenFolder, "open folder"},
                        {c.sTitleClose, "close"}};
    for (const Click& click : clicks) {
        host.events.calls.clear();
        SendMessageW(click.button, BM_CLICK, 0, 0);
        EXPECT_EQ(host.events.calls, std::vector<std::string>{click.call});
    }
    host.events.calls.clear();
    c.Enable(c.sButtonDownload, false);
    SendMessageW(c.sButtonDownload, BM_CLICK, 0, 0);
    c.Enable(c.sButtonDownload, true);
    c.Enable(c.sGroupBox3, false);  // disabled through its group
    SendMessageW(c.sButtonCheck, BM_CLICK, 0, 0);
    EXPECT_TRUE(host.events.calls.empty());
}

void Press(HWND control, UINT down, UINT up, int x, int y) {
    SendMessageW(control, down, 0, MAKELPARAM(x, y));
    SendMessageW(control, up, 0, MAKELPARAM(x, y));
}

TEST_F(MainControlsTest, CheckBoxesAndTitleItemsReportTheReleasedButton) {
    Host host(96);
    MainControls& c = *host.controls;
    c.Show(c.sTitleItem0, true);
    Press(c.sCheckBox1, WM_LBUTTONDOWN, WM_LBUTTONUP, 5, 5);
    Press(c.sCheckBox1, WM_RBUTTONDOWN, WM_RBUTTONUP, 5, 5);
    Press(c.sCheckBox2, WM_LBUTTONDOWN, WM_LBUTTONUP, 5, 5);
    // Released away from the box: it keeps its state, and the release is still reported.
    Press(c.sCheckBox2, WM_LBUTTONDOWN, WM_LBUTTONUP, 500, 5);
    Press(c.sTitleItem0, WM_RBUTTONDOWN, WM_RBUTTONUP, 5, 5);
    Press(c.sTitleItem1, WM_LBUTTONDOWN, WM_LBUTTONUP, 5, 5);
    // Released away from an item: nothing.
    Press(c.sTitleItem1, WM_LBUTTONDOWN, WM_LBUTTONUP, 500, 5);
    EXPECT_EQ(host.events.calls, (std::vector<std::string>{"box 1 left clear", "box 1 right clear",
                                                           "box 2 left clear", "box 2 left clear", "item 0 right",
                                                           "item 1 left"}));
}

TEST_F(MainControlsTest, FieldsReportDoubleClicksFocusAndPointerMoves) {
    Host host(96);
    MainControls& c = *host.controls;
    SendMessageW(c.sEdit1, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    SendMessageW(c.sMemo1, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    SendMessageW(c.sGroupBox3, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(c.sEdit1, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(host.events.calls, (std::vector<std::string>{"path double-click", "log double-click", "actions move",
                                                           "path focus"}));
}

// Refused here: an accepted press would begin the system's modal move.
TEST_F(MainControlsTest, APressOnEveryDragAreaAsksTheWindow) {
    Host host(96);
    MainControls& c = *host.controls;
    for (HWND area : {host.window, c.sTitleBar1, c.sClient, c.sGroupBox1, c.sMemo1, c.sGroupBox2, c.sEdit1,
                      c.sGroupBox3}) {
        host.events.calls.clear();
        SendMessageW(area, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        // (Refused on the path field, the press goes on to give it the focus.)
        ASSERT_FALSE(host.events.calls.empty());
        EXPECT_EQ(host.events.calls.front(), "may drag?");
    }
    // The label lets presses through to its group.
    EXPECT_EQ(SendMessageW(c.sLabel1, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

// --- what the window calls ---

TEST_F(MainControlsTest, TextsProgressAndTheLog) {
    Host host(96);
    MainControls& c = *host.controls;
    c.SetPathText("C:\\Игры\\.minecraft");
    EXPECT_EQ(c.PathText(), "C:\\Игры\\.minecraft");
    c.SetLabelText("Правильная директория!");
    EXPECT_EQ(c.LabelText(), "Правильная директория!");

    for (auto [set, shown] : {std::pair(40, 40), std::pair(100, 100), std::pair(140, 100), std::pair(-5, 0)}) {
        c.SetProgress(3, set);
        EXPECT_EQ(c.Progress(3), shown) << set;
    }

    c.Show(c.sGroupBox1, true);
    std::vector<std::string> lines;
    for (int i = 0; i < 60; ++i) lines.push_back("[12:00:00] строка " + std::to_string(i));
    lines.push_back("[12:00:01] " + std::string(300, 'x'));
    c.AppendLog(lines);
    c.AppendLog({"последняя"});
    ASSERT_EQ(SendMessageW(c.sMemo1, LB_GETCOUNT, 0, 0), 62);
    // Scrolled to the end: the last line is in view.
    RECT client{}, last{};
    GetClientRect(c.sMemo1, &client);
    SendMessageW(c.sMemo1, LB_GETITEMRECT, 61, reinterpret_cast<LPARAM>(&last));
    EXPECT_GT(SendMessageW(c.sMemo1, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_LE(last.bottom, client.bottom);
    // Its scroll bars are the skin's, also after the system moved them: the track in the field colour.
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(c.sMemo1, OBJID_VSCROLL, &bar));
    RECT window{};
    GetWindowRect(c.sMemo1, &window);
    HDC dc = GetWindowDC(c.sMemo1);
    EXPECT_EQ(GetPixel(dc, (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2 - window.left, bar.rcScrollBar.top - window.top + 2),
              RGB(0x08, 0x2A, 0x21));
    ReleaseDC(c.sMemo1, dc);
    // Scrolls sideways as far as the widest line.
    EXPECT_GE(SendMessageW(c.sMemo1, LB_GETHORIZONTALEXTENT, 0, 0), TextExtent(c.sMemo1, L"[12:00:01] " + std::wstring(300, L'x')).cx);
}

}  // namespace
