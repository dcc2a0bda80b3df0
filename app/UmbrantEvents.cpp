// The program's event sink: the window menu's own items, the About command,
// the language in force and the window's kept place.
#include "app/UmbrantEvents.h"

#include <shellapi.h>

#include "dialogs/AboutDialog.h"
#include "app/Program.h"
#include "text/DialogIds.h"
#include "text/StringIds.h"
#include "text/Strings.h"

namespace {

// The window menu's own items: multiples of 16 below the system's commands,
// which keep the four low bits. About is also the command of Settings' About
// button.
const int HOME_PAGE_ITEM = 0x10;
const int ABOUT_ITEM = IDC_ABOUT;
static_assert(HOME_PAGE_ITEM % 16 == 0 && ABOUT_ITEM % 16 == 0 && ABOUT_ITEM < 0xF000, "menu ids");

struct MenuItem
{
    int id;
    int stringId;
};
const MenuItem MENU_ITEMS[] = {{HOME_PAGE_ITEM, IDS_HOME_PAGE}, {ABOUT_ITEM, IDS_ABOUT}};

}  // namespace

int CUmbrantEvents::Language() const
{
    return m_settings->Language();
}

bool CUmbrantEvents::OnLanguageChanged(int language)
{
    m_settings->SetLanguage(language);
    LabelMenu(language);
    return true;
}

void CUmbrantEvents::OnPlaceChanged(int left, int top)
{
    m_settings->SetPlace(left, top);
    m_settings->Save();
}

void CUmbrantEvents::LabelMenu(int language) const
{
    HMENU menu = GetSystemMenu(m_window, FALSE);
    for (const MenuItem& item : MENU_ITEMS)
        ModifyMenuW(menu, item.id, MF_BYCOMMAND | MF_STRING, item.id, LocalizedString(item.stringId, language).c_str());
}

void CUmbrantEvents::OnWindowCommand(HWND window, int id, HWND control)
{
    // About from a dialog's button belongs to that dialog.
    if (id == ABOUT_ITEM)
        ShowAboutDialog(control ? GetParent(control) : window, Language());
    else if (id == HOME_PAGE_ITEM)
        ShellExecuteW(nullptr, L"open", LocalizedString(IDS_HOME_PAGE, Language()).c_str(), L"", L"", SW_SHOWNORMAL);
}

void CUmbrantEvents::OnWindowCreated(HWND window)
{
    m_window = window;
    HMENU menu = GetSystemMenu(window, FALSE);
    UINT position = 0;
    for (const MenuItem& item : MENU_ITEMS)
        InsertMenuW(menu, position++, MF_BYPOSITION | MF_STRING, item.id, L"");
    InsertMenuW(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    LabelMenu(Language());
}
