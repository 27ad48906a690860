#include "ui/win32/CheckList.h"

#include <commctrl.h>

#include "ui/win32/WideText.h"

namespace packwell::win32 {

namespace {

// The list's fixed colours (0xBBGGRR 3682598 and 16772838 in the window definition).
constexpr COLORREF kListBackground = RGB(38, 49, 56);
constexpr COLORREF kListText = RGB(230, 238, 255);
constexpr COLORREF kTick = RGB(0x3d, 0xdc, 0x97);
constexpr UINT_PTR kSubclassId = 0x636c;  // one subclass on the list and one on its parent

// The brush the list's empty part is erased with; one for the program's life.
HBRUSH ListBrush() {
    static const HBRUSH brush = CreateSolidBrush(kListBackground);
    return brush;
}

bool Ticked(HWND list, int index) { return SendMessageW(list, LB_GETITEMDATA, index, 0) != 0; }

void Flip(HWND list, int index) {
    if (index < 0 || index >= static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0))) return;
    SendMessageW(list, LB_SETITEMDATA, index, Ticked(list, index) ? 0 : 1);
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    InvalidateRect(list, &item, FALSE);
}

void DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, ListBrush());
    if (item.itemID == static_cast<UINT>(-1)) return;

    const int side = (r.bottom - r.top) - 4;
    RECT box{r.left + 3, r.top + 2, r.left + 3 + side, r.top + 2 + side};
    HPEN frame = CreatePen(PS_SOLID, 1, kListText);
    HGDIOBJ oldPen = SelectObject(dc, frame);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, box.left, box.top, box.right, box.bottom, 3, 3);
    if (item.itemData) {
        // A tick of two strokes, as bold as the box allows.
        HPEN tick = CreatePen(PS_SOLID, side >= 14 ? 3 : 2, kTick);
        SelectObject(dc, tick);
        const POINT points[] = {{box.left + side * 22 / 100, box.top + side * 52 / 100},
                                {box.left + side * 42 / 100, box.top + side * 74 / 100},
                                {box.left + side * 80 / 100, box.top + side * 28 / 100}};
        Polyline(dc, points, 3);
        SelectObject(dc, frame);
        DeleteObject(tick);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(frame);

    std::wstring text(static_cast<std::size_t>(SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()))));
    RECT textPlace{box.right + 4, r.top, r.right, r.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kListText);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textPlace,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) && GetFocus() == item.hwndItem) DrawFocusRect(dc, &r);
}

LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
            if (!HIWORD(hit)) Flip(list, LOWORD(hit));  // a press below the last line flips nothing
            SetFocus(list);
            SendMessageW(list, LB_SETCARETINDEX, LOWORD(hit), FALSE);
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                Flip(list, static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0)));
                return 0;
            }
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(list, &ListProcedure, kSubclassId); break;
        default: break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

// The list's parent draws its items for it: the list asks it for every line.
LRESULT CALLBACK ParentProcedure(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR list) {
    const HWND ours = reinterpret_cast<HWND>(list);
    switch (message) {
        case WM_MEASUREITEM: {
            auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (measure.CtlType != ODT_LISTBOX) break;
            return TRUE;  // the height is set once the list exists
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.hwndItem != ours) break;
            DrawItem(item);
            return TRUE;
        }
        case WM_CTLCOLORLISTBOX:
            if (reinterpret_cast<HWND>(lParam) != ours) break;
            SetBkColor(reinterpret_cast<HDC>(wParam), kListBackground);
            return reinterpret_cast<LRESULT>(ListBrush());
        case WM_NCDESTROY: RemoveWindowSubclass(parent, &ParentProcedure, kSubclassId); break;
        default: break;
    }
    return DefSubclassProc(parent, message, wParam, lParam);
}

}  // namespace

HWND CreateCheckList(HWND parent, RECT place, HFONT font, int itemHeight) {
    HWND list = CreateWindowExW(0, L"LISTBOX", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | WS_BORDER | LBS_OWNERDRAWFIXED |
                                    LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                                place.left, place.top, place.right - place.left, place.bottom - place.top, parent,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!list) return nullptr;
    SetWindowSubclass(parent, &ParentProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(list));
    SetWindowSubclass(list, &ListProcedure, kSubclassId, 0);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, itemHeight);
    return list;
}

void SetCheckListItems(HWND list, const std::vector<CleanupItem>& items) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const CleanupItem& item : items) {
        const std::wstring name = WideFromUtf8(item.name);
        const auto index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(list, LB_SETITEMDATA, index, item.ticked ? 1 : 0);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::vector<CleanupItem> CheckListItems(HWND list) {
    std::vector<CleanupItem> items;
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring name(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        name.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(name.data()))));
        items.push_back({Utf8FromWide(name), Ticked(list, i)});
    }
    return items;
}

}  // namespace packwell::win32
