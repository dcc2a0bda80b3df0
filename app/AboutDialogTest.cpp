// The About dialog: its letters and its links.
#include "app/AboutDialog.h"

#include "settings/DialogIds.h"
#include "settings/HiddenDialog.h"
#include "settings/Strings.h"

#include <cwchar>
#include <gtest/gtest.h>

namespace {

HCURSOR LinkCursor()
{
    return LoadCursorA(GetModuleHandleA(nullptr), "LinkCursor");
}

TEST(AboutDialog, ShowsItsLettersAndGivesTheLinksTheLinkCursor)
{
    HWND about = CreateHiddenDialog(L"ABOUT", AboutDialogProc, LANGUAGE_SLOVENIAN);
    ASSERT_NE(nullptr, about);
    wchar_t name[64] = L"";
    for (HWND child = GetWindow(about, GW_CHILD); child && wcscmp(name, L"Matev\u017e Rozman") != 0;
         child = GetWindow(child, GW_HWNDNEXT))
        GetWindowTextW(child, name, 64);
    EXPECT_STREQ(L"Matev\u017e Rozman", name);
    ASSERT_NE(nullptr, LinkCursor());
    for (int id : {IDC_MAIL_LINK, IDC_HOMEPAGE_LINK})
        EXPECT_EQ(reinterpret_cast<ULONG_PTR>(LinkCursor()), GetClassLongPtrA(GetDlgItem(about, id), GCLP_HCURSOR));
    DestroyWindow(about);
}

}  // namespace
