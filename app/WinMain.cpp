#include <windows.h>

#include <new>

#include "dial/DialSize.h"
#include "dial/Umbrant.h"
#include "gadget/GadgetApplication.h"
#include "gadget/GadgetEvents.h"
#include "install/CommandLine.h"
#include "install/Setup.h"
#include "settings/Registry.h"
#include "settings/Strings.h"

namespace {

CGadgetApplication* CreateHost(CGadget* gadget, CGadgetEvents* events, const DialSize& size)
{
    return new (std::nothrow)
        CGadgetApplication(gadget, events, "Umbrant", LoadLocalizedString(IDS_TITLE), 12, 12, RGB(255, 255, 255),
                           size.frameWidth, size.cornerRadius, 1000, 0.75f, 0.15f, 0, 0, 0, 0);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    g_languageOffset = RegReadInt(HKEY_LOCAL_MACHINE, UMBRANT_SETTINGS_KEY, "Language", SystemLanguageOffset());
    CGadgetEvents* events = new (std::nothrow) CGadgetEvents();
    CUmbrant* gadget = new (std::nothrow) CUmbrant();
    g_pGadget = gadget;
    const DialSize size = DialSizeFor(false, NATURAL_SCALE);
    CGadgetApplication* host = CreateHost(gadget, events, size);
    if (!host)
        return 0;
    if (events)
        events->m_host = host;

    if (FindOption(commandLine, "uninstall", nullptr, nullptr, 0)) {
        // The text may hold letters outside the ANSI code page.
        MessageBoxW(nullptr, LoadLocalizedStringW(IDS_UNINSTALLED), LoadLocalizedStringW(IDS_UNINSTALL_CAPTION),
                    MB_ICONINFORMATION);
        UninstallSelf(host);
        return 0;
    }
    if (FindOption(commandLine, "install", nullptr, nullptr, 0))
        InstallSelf(host);

    if (!host->Create(instance))
        return 0;
    host->AddButton(host, CMD_CLOSE, 0, "ButtonClose", 1, -1, size.closeButtonX, size.buttonY, size.buttonSize,
                    size.buttonSize, true, false, false, false, nullptr, IDS_CLOSE_TIP, false);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    RegWriteInt(HKEY_LOCAL_MACHINE, UMBRANT_SETTINGS_KEY, nullptr, "Language", g_languageOffset);
    delete host;
    delete events;
    delete gadget;
    return 0;
}
