// The entry point: installs or uninstalls when asked, otherwise puts the
// host, the dial and the program's event sink together and runs them.
#include <windows.h>

#include "app/Program.h"
#include "app/UmbrantEvents.h"
#include "dial/DialSize.h"
#include "dial/Umbrant.h"
#include "gadget/GadgetApplication.h"
#include "install/CommandLine.h"
#include "install/Setup.h"
#include "settings/Registry.h"
#include "settings/Strings.h"

namespace {

// The host's look: white behind the dial, the translucency while dragged,
// the fade time and how often an idle gadget is drawn all the same.
const COLORREF BACKGROUND_COLOUR = RGB(255, 255, 255);
const int IDLE_REDRAW_MS = 1000;
const float DRAG_OPACITY = 0.75f;
const float FADE_TIME = 0.15f;
// The window's size before the dial gives its own.
const int FIRST_SIZE = 12;
// Room for the program's title, which names the window and the shortcuts.
const int TITLE_SIZE = 256;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    int language = RegReadInt(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "Language", SystemLanguageOffset());
    char title[TITLE_SIZE];
    lstrcpynA(title, LoadLocalizedString(IDS_TITLE, language), TITLE_SIZE);

    if (FindOption(commandLine, "uninstall", nullptr, nullptr, 0)) {
        // The text may hold letters outside the ANSI code page.
        MessageBoxW(nullptr, LoadLocalizedStringW(IDS_UNINSTALLED, language),
                    LoadLocalizedStringW(IDS_UNINSTALL_CAPTION, language), MB_ICONINFORMATION);
        UninstallSelfAs(PROGRAM_NAME, title, SETTINGS_KEY);
        return 0;
    }
    if (FindOption(commandLine, "install", nullptr, nullptr, 0))
        InstallSelfAs(PROGRAM_NAME, title);

    CUmbrantEvents events;
    CUmbrant gadget(SETTINGS_KEY);
    RegWriteString(HKEY_LOCAL_MACHINE, "SOFTWARE", MAKER_NAME, nullptr, nullptr);
    RegWriteString(HKEY_LOCAL_MACHINE, MAKER_KEY, PROGRAM_NAME, nullptr, nullptr);
    const DialSize size = DialSizeFor(false, NATURAL_SCALE);
    CGadgetApplication host(&gadget, &events, PROGRAM_NAME, title, language, FIRST_SIZE, FIRST_SIZE,
                            BACKGROUND_COLOUR, size.frameWidth, size.cornerRadius, IDLE_REDRAW_MS, DRAG_OPACITY,
                            FADE_TIME, 0, 0, 0, 0);
    events.m_host = &host;
    if (!host.Create(instance))
        return 0;
    host.AddButton(&host, CMD_CLOSE, 0, "ButtonClose", 1, -1, size.closeButtonX, size.buttonY, size.buttonSize,
                   size.buttonSize, true, false, false, false, nullptr, IDS_CLOSE_TIP, false);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    RegWriteInt(HKEY_LOCAL_MACHINE, SETTINGS_KEY, nullptr, "Language", host.GetLanguage());
    return 0;
}
