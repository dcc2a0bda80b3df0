// The program's event sink: the window menu's own items and the About command.
#include "app/UmbrantEvents.h"

#include <shellapi.h>

#include "app/AboutDialog.h"
#include "settings/StringIds.h"
#include "settings/Strings.h"

bool CUmbrantEvents::OnCommand(int, int, bool)
{
    return true;
}

bool CUmbrantEvents::OnNotify(int, int, const char*)
{
    return true;
}

bool CUmbrantEvents::OnLanguageChanged(int)
{
    return true;
}

int CUmbrantEvents::Language() const
{
    return m_host ? m_host->GetLanguage() : LANGUAGES[0].id;
}

void CUmbrantEvents::OnWindowCommand(HWND window, int id, HWND control)
{
    // About from a dialog's button belongs to that dialog.
    if (id == IDS_ABOUT)
        ShowAboutDialog(control ? GetParent(control) : window, Language());
    else if (id == IDS_HOME_PAGE)
        ShellExecuteW(nullptr, L"open", LoadLocalizedStringW(IDS_HOME_PAGE, Language()), L"", L"", SW_SHOWNORMAL);
}

void CUmbrantEvents::OnWindowCreated(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, IDS_HOME_PAGE, LoadLocalizedStringW(IDS_HOME_PAGE, Language()));
    InsertMenuW(menu, 1, MF_BYPOSITION | MF_STRING, IDS_ABOUT, LoadLocalizedStringW(IDS_ABOUT, Language()));
    InsertMenuW(menu, 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}
