// Link controls of the dialogs: owner-drawn statics that open an address.
#include "settings/LinkControl.h"

#include "platform/Handles.h"

#include <shellapi.h>

void DrawLinkControl(const DRAWITEMSTRUCT* item)
{
    char text[256];
    GetWindowTextA(item->hwndItem, text, sizeof text);
    HDC dc = item->hDC;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, LINK_COLOUR);

    const UINT format = DT_SINGLELINE | DT_NOPREFIX;
    RECT measured = item->rcItem;
    DrawTextA(dc, text, -1, &measured, format | DT_CALCRECT);
    int textWidth = measured.right - measured.left;
    RECT bounds = item->rcItem;
    DrawTextA(dc, text, -1, &bounds, format | DT_CENTER | DT_VCENTER);

    int width = bounds.right - bounds.left;
    CGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, LINK_COLOUR));
    CSelectedObject selected(dc, pen.Get());
    MoveToEx(dc, bounds.left + (width - textWidth) / 2, bounds.bottom - 1, nullptr);
    LineTo(dc, bounds.left + (width + textWidth) / 2, bounds.bottom - 1);
}

void SetLinkCursor(HWND dialog, int linkId)
{
    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), "LinkCursor");
    if (cursor)
        SetClassLongPtrA(GetDlgItem(dialog, linkId), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
}

void OpenAddress(const char* address)
{
    ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}
