// The program's window menu items: their commands and their language.
#include "app/UmbrantEvents.h"

#include "text/Strings.h"

#include <gtest/gtest.h>

namespace {

// The items stand above the host's, with commands the system leaves whole
// (multiples of 16 below its own), and take each new language's texts; the
// language is the settings'.
TEST(UmbrantEvents, WindowMenuItemsFollowTheLanguage)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_SYSMENU, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    CProgramSettings settings(L"Software", L"UmbrantEventsTest");
    CUmbrantEvents events(&settings);
    events.OnWindowCreated(window);
    HMENU menu = GetSystemMenu(window, FALSE);
    for (int position : {0, 1}) {
        UINT id = GetMenuItemID(menu, position);
        EXPECT_TRUE(id % 16 == 0 && id < 0xF000) << "item " << position << " has command " << id;
    }
    wchar_t text[64] = L"";
    GetMenuStringW(menu, 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"About...", text);
    events.OnLanguageChanged(LANGUAGE_SLOVENIAN);
    GetMenuStringW(menu, 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"Vizitka...", text);
    EXPECT_TRUE(settings.Language() == LANGUAGE_SLOVENIAN && events.Language() == LANGUAGE_SLOVENIAN);
    DestroyWindow(window);
}

}  // namespace
