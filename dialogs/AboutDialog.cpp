// The About dialog.
#include "dialogs/AboutDialog.h"

#include "text/DialogIds.h"
#include "dialogs/LinkControl.h"
#include "text/Strings.h"
#include "gadget/Gadget.h"
#include "platform/Handles.h"

namespace {

// Room beside a text inside its control, in pixels: the links' underline
// and a pixel either side for rounding.
const int TEXT_ROOM = 2;
// Between the texts of a row, in dialog units (about a space).
const int ROW_GAP_UNITS = 3;
// The most controls a row holds.
const int MOST_IN_ROW = 2;

// The width of a control's text in the dialog's font, in pixels.
int TextWidth(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    wchar_t text[256] = L"";
    int length = GetWindowTextW(control, text, 256);
    CWindowDC dc(control);
    if (!dc.Get())
        return 0;
    CSelectedObject font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32W(dc.Get(), text, length, &size);
    return size.cx + TEXT_ROOM;
}

// Puts the controls ids[0 ... count) side by side, each as wide as its text,
// the row centred in the dialog at the height each has.
void CentreRow(HWND dialog, const int* ids, int count)
{
    RECT client;
    GetClientRect(dialog, &client);
    RECT gap = {0, 0, ROW_GAP_UNITS, 0};
    MapDialogRect(dialog, &gap);
    if (count > MOST_IN_ROW)
        count = MOST_IN_ROW;
    int widths[MOST_IN_ROW] = {};
    int total = (count - 1) * gap.right;
    for (int i = 0; i < count; ++i)
        total += widths[i] = TextWidth(dialog, ids[i]);
    int x = (client.right - total) / 2;
    for (int i = 0; i < count; ++i) {
        HWND control = GetDlgItem(dialog, ids[i]);
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        MoveWindow(control, x, rect.top, widths[i], rect.bottom - rect.top, FALSE);
        x += widths[i] + gap.right;
    }
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        ShowDialogTexts(dialog, IDS_ABOUT_DIALOG, static_cast<int>(lParam));
        // The texts' widths differ with the language and the font's size at
        // the screen's DPI: each line takes what its texts need.
        const int mailRow[] = {IDC_MAIL_LABEL, IDC_MAIL_LINK};
        const int homePageRow[] = {IDC_HOMEPAGE_LINK};
        CentreRow(dialog, mailRow, 2);
        CentreRow(dialog, homePageRow, 1);
        CentreWindowOnScreen(dialog);
        SetLinkCursor(dialog, IDC_MAIL_LINK);
        SetLinkCursor(dialog, IDC_HOMEPAGE_LINK);
        return TRUE;
    }
    case WM_DRAWITEM: DrawLinkControl(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MAIL_LINK:
            if (HIWORD(wParam) == STN_CLICKED)
                OpenAddress(L"mailto:" AUTHOR_MAIL);
            break;
        case IDC_HOMEPAGE_LINK:
            if (HIWORD(wParam) == STN_CLICKED)
                OpenAddress(L"" HOMEPAGE_SCHEME HOMEPAGE_TEXT);
            break;
        case IDOK:
        case IDCANCEL: EndDialog(dialog, LOWORD(wParam)); break;
        }
        break;
    }
    return FALSE;
}

void ShowAboutDialog(HWND owner, int language)
{
    DialogBoxParamW(GetModuleHandleW(nullptr), LocalizedResourceName(L"ABOUT", language).c_str(), owner,
                    AboutDialogProc, language);
}
