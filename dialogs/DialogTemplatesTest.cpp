// Tests of the dialog templates, their texts and the link controls.
#include "text/DialogIds.h"
#include "tests/HiddenDialog.h"
#include "dialogs/LinkControl.h"
#include "text/Strings.h"
#include "UmbrantVersion.h"

#include <commctrl.h>
#include <cwchar>
#include <gtest/gtest.h>
#include <string>

namespace {

// What a dialog made from one of the program's templates shows.
struct TextSource
{
    int firstId;  // of its texts in the string table, 0 for none
    int language;
};

INT_PTR CALLBACK PlainDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    const TextSource* texts = reinterpret_cast<const TextSource*>(lParam);
    ShowDialogTexts(dialog, texts->firstId, texts->language);
    return TRUE;
}

// A dialog made from one of the program's templates, without its procedure,
// with its texts in a language.
class PlainDialog
{
public:
    PlainDialog(const wchar_t* name, int firstTextId, int language = LANGUAGE_ENGLISH)
    {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        TextSource texts = {firstTextId, language};
        m_window = CreateHiddenDialog(name, PlainDialogProc, reinterpret_cast<LPARAM>(&texts));
    }
    ~PlainDialog() { DestroyWindow(m_window); }

    std::wstring Text(HWND control) const
    {
        wchar_t text[256] = L"";
        GetWindowTextW(control, text, 256);
        return text;
    }
    std::string ItemText(int id) const
    {
        char text[256] = "";
        GetDlgItemTextA(m_window, id, text, sizeof text);
        return text;
    }
    // The texts of all controls in template order, one per line.
    std::wstring AllTexts() const
    {
        std::wstring texts = Text(m_window);
        for (HWND child = GetWindow(m_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            texts += L"\n" + Text(child);
        return texts;
    }

    HWND m_window;
};

TEST(DialogTemplates, BothLoadWithTheirControls)
{
    const struct
    {
        const wchar_t* name;
        int controls;
    } dialogs[] = {{L"SETTINGS", 35}, {L"ABOUT", 15}};
    for (const auto& expected : dialogs) {
        PlainDialog dialog(expected.name, 0);
        ASSERT_NE(nullptr, dialog.m_window) << testing::PrintToString(expected.name);
        int controls = 0;
        for (HWND child = GetWindow(dialog.m_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ++controls;
        EXPECT_EQ(expected.controls, controls) << testing::PrintToString(expected.name);
    }
}

// Every text of the dialogs comes from the block of the language in force,
// letters outside ASCII included; texts written into the template stay.
TEST(DialogTexts, ComeFromTheLanguagesBlock)
{
    PlainDialog settings(L"SETTINGS", IDS_SETTINGS_DIALOG, LANGUAGE_SLOVENIAN);
    std::wstring texts = settings.AllTexts();
    for (const wchar_t* text :
         {L"Nastavitve\n", L"\nZemljepisna \u0161irina\n", L"\nDatum in \u010das\n", L"\nZemljepisna dol\u017eina\n",
          L"\nNatan\u010dna lega sonca (upo\u0161teva dol\u017eino)\n", L"\nSimuliraj datum in \u010das\n",
          L"\n&Vizitka...\n", L"\n&Zapri"})
        EXPECT_NE(std::wstring::npos, texts.find(text)) << testing::PrintToString(texts);
    PlainDialog about(L"ABOUT", IDS_ABOUT_DIALOG, LANGUAGE_SLOVENIAN);
    texts = about.AllTexts();
    for (const wchar_t* text : {L"About\n", L"\nVerzija " UMBRANT_VERSION "\n", L"\nMatev\u017e Rozman\n", L"\n&Ok"})
        EXPECT_NE(std::wstring::npos, texts.find(text)) << testing::PrintToString(texts);

    PlainDialog english(L"SETTINGS", IDS_SETTINGS_DIALOG, LANGUAGE_ENGLISH);
    texts = english.AllTexts();
    for (const wchar_t* text : {L"Settings\n", L"\nLanguage:\n", L"\nDate && time\n", L"\n&About...\n", L"\n&Close"})
        EXPECT_NE(std::wstring::npos, texts.find(text)) << testing::PrintToString(texts);
}

TEST(DialogTemplates, LinksCarryTheirAddresses)
{
    PlainDialog settings(L"SETTINGS", 0);
    EXPECT_EQ(ARTICLE_ADDRESS, settings.ItemText(IDC_ARTICLE_LINK));
    PlainDialog about(L"ABOUT", 0);
    EXPECT_EQ(AUTHOR_MAIL, about.ItemText(IDC_MAIL_LINK));
    EXPECT_EQ(HOMEPAGE_TEXT, about.ItemText(IDC_HOMEPAGE_LINK));
    // The link opens the same home page as the window's menu item.
    for (const Language& language : LANGUAGES)
        EXPECT_EQ(L"" HOMEPAGE_SCHEME HOMEPAGE_TEXT, LocalizedString(IDS_HOME_PAGE, language.id)) << language.code;
}

TEST(LinkControl, DrawsCentredTextUnderlinedOverItsWidth)
{
    PlainDialog dialog(L"SETTINGS", 0);
    HWND link = GetDlgItem(dialog.m_window, IDC_ARTICLE_LINK);
    SetWindowTextA(link, "sundial");

    const int width = 200, height = 16;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent;
    GetTextExtentPoint32A(dc, "sundial", 7, &extent);

    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_STATIC;
    item.CtlID = IDC_ARTICLE_LINK;
    item.hwndItem = link;
    item.hDC = dc;
    item.rcItem = {0, 0, width, height};
    DrawLinkControl(&item);
    GdiFlush();

    const DWORD* pixels = static_cast<const DWORD*>(bits);
    const DWORD blue = 0x0000C0;
    int first = -1, last = -1, textPixels = 0;
    for (int x = 0; x < width; ++x)
        if (pixels[(height - 1) * width + x] == blue) {
            if (first < 0)
                first = x;
            last = x;
        }
    for (int i = 0; i < width * (height - 1); ++i)
        textPixels += pixels[i] == blue;
    EXPECT_EQ((width - extent.cx) / 2, first);
    EXPECT_EQ((width + extent.cx) / 2 - 1, last);
    EXPECT_GT(textPixels, 20);
    // The background stays as it was.
    EXPECT_EQ(0xFFFFFFu, pixels[0] & 0xFFFFFF);

    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
