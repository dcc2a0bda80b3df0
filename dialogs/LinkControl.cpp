// Link controls of the dialogs: owner-drawn statics that open an address.
#include "dialogs/LinkControl.h"

#include "platform/Handles.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

// Room for a link's text, terminator included.
const int LINK_TEXT_SIZE = 256;

}  // namespace

void DrawLinkControl(const DRAWITEMSTRUCT* item)
{
    wchar_t text[LINK_TEXT_SIZE];
    GetWindowTextW(item->hwndItem, text, LINK_TEXT_SIZE);
    HDC dc = item->hDC;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, LINK_COLOUR);

    const UINT format = DT_SINGLELINE | DT_NOPREFIX;
    RECT measured = item->rcItem;
    DrawTextW(dc, text, -1, &measured, format | DT_CALCRECT);
    int textWidth = measured.right - measured.left;
    RECT bounds = item->rcItem;
    DrawTextW(dc, text, -1, &bounds, format | DT_CENTER | DT_VCENTER);

    int width = bounds.right - bounds.left;
    CGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, LINK_COLOUR));
    CSelectedObject selected(dc, pen.Get());
    MoveToEx(dc, bounds.left + (width - textWidth) / 2, bounds.bottom - 1, nullptr);
    LineTo(dc, bounds.left + (width + textWidth) / 2, bounds.bottom - 1);
}

namespace {

// The link's own cursor: the control answers WM_SETCURSOR with the hand, so
// that every other static keeps its class's arrow.
LRESULT CALLBACK LinkCursorProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR cursor)
{
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        SetCursor(reinterpret_cast<HCURSOR>(cursor));
        return TRUE;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, LinkCursorProc, 0);
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void SetLinkCursor(HWND dialog, int linkId)
{
    HCURSOR cursor = LoadCursorW(GetModuleHandleW(nullptr), L"LinkCursor");
    if (cursor)
        SetWindowSubclass(GetDlgItem(dialog, linkId), LinkCursorProc, 0, reinterpret_cast<DWORD_PTR>(cursor));
}

void OpenAddress(const wchar_t* address)
{
    ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}
