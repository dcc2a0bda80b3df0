// The About dialog: its letters and its links.
#include "dialogs/AboutDialog.h"

#include "text/DialogIds.h"
#include "tests/HiddenDialog.h"
#include "text/Strings.h"

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
        EXPECT_EQ(LinkCursor(), CursorOver(GetDlgItem(about, id))) << "link " << id;
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), CursorOver(GetDlgItem(about, IDC_MAIL_LABEL)))
        << "the label beside the mail link keeps the arrow";
    DestroyWindow(about);
}

// Every text fits its control in both languages, and the icons stand inside
// the frame of their group.
TEST(AboutDialog, TextsFitAndIconsStayInTheirFrame)
{
    for (int language : {LANGUAGE_ENGLISH, LANGUAGE_SLOVENIAN}) {
        HWND about = CreateHiddenDialog(L"ABOUT", AboutDialogProc, language);
        ASSERT_NE(nullptr, about);
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(about, WM_GETFONT, 0, 0));
        HDC dc = GetDC(about);
        HGDIOBJ old = SelectObject(dc, font);
        RECT frame = {};
        for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t text[256] = L"", kind[32] = L"";
            int length = GetWindowTextW(child, text, 256);
            GetClassNameW(child, kind, 32);
            RECT rect;
            GetWindowRect(child, &rect);
            LONG style = GetWindowLongW(child, GWL_STYLE);
            if ((style & BS_TYPEMASK) == BS_GROUPBOX && !wcscmp(kind, L"Button") && IsRectEmpty(&frame))
                frame = rect;
            if (wcscmp(kind, L"Static") != 0)
                continue;
            if ((style & SS_TYPEMASK) == SS_ICON) {
                RECT inside;
                IntersectRect(&inside, &rect, &frame);
                EXPECT_TRUE(EqualRect(&inside, &rect))
                    << "language " << language << ": icon at " << rect.left << "..." << rect.right << " x " << rect.top
                    << "..." << rect.bottom << ", frame " << frame.left << "..." << frame.right;
                continue;
            }
            SIZE size = {};
            GetTextExtentPoint32W(dc, text, length, &size);
            EXPECT_LE(size.cx, rect.right - rect.left)
                << "language " << language << ": control " << GetDlgCtrlID(child) << " is " << rect.right - rect.left
                << " pixels wide for its text of " << size.cx;
        }
        SelectObject(dc, old);
        ReleaseDC(about, dc);
        DestroyWindow(about);
    }
}

}  // namespace
