// The About dialog.
#include "app/AboutDialog.h"

#include "settings/DialogIds.h"
#include "settings/LinkControl.h"
#include "settings/Strings.h"
#include "gadget/Gadget.h"

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        ShowDialogTexts(dialog, IDS_ABOUT_DIALOG, static_cast<int>(lParam));
        CentreWindowOnScreen(dialog);
        SetLinkCursor(dialog, IDC_MAIL_LINK);
        SetLinkCursor(dialog, IDC_HOMEPAGE_LINK);
        return TRUE;
    case WM_DRAWITEM: DrawLinkControl(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MAIL_LINK:
            if (HIWORD(wParam) == STN_CLICKED)
                OpenAddress("mailto:" AUTHOR_MAIL);
            break;
        case IDC_HOMEPAGE_LINK:
            if (HIWORD(wParam) == STN_CLICKED)
                OpenAddress(HOMEPAGE_SCHEME HOMEPAGE_TEXT);
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
    DialogBoxParamW(GetModuleHandleA(nullptr), LocalizedResourceName(L"ABOUT", language), owner, AboutDialogProc,
                    language);
}
