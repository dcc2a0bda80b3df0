// The entry point: installs or uninstalls when asked, otherwise puts the
// host, the dial and the program's event sink together and runs them.
#include <windows.h>

#include "app/Program.h"
#include "app/UmbrantEvents.h"
#include "dial/DialSize.h"
#include "dialogs/Places.h"
#include "dial/Umbrant.h"
#include "gadget/GadgetApplication.h"
#include "gadget/ScreenScale.h"
#include "install/CommandLine.h"
#include "install/Setup.h"
#include "platform/Clock.h"
#include "platform/Handles.h"
#include "settings/ProgramSettings.h"
#include "text/Strings.h"

namespace {

// The host's look: white behind the dial, the translucency while dragged,
// the fade time, and how often a frame is drawn while a fade or a drag runs
// the host's timer though nothing changed (never when the gadget is idle).
const COLORREF BACKGROUND_COLOUR = RGB(255, 255, 255);
const int ANIMATION_REDRAW_MS = 1000;
const float DRAG_OPACITY = 0.75f;
const float FADE_TIME = 0.15f;
// How long an uninstall gives a running gadget to save its settings and end.
const DWORD GADGET_EXIT_WAIT_MS = 10000;

// True when no other gadget holds the mutex (or it cannot be made at all).
bool IsOnlyGadget(const CKernelHandle& mutex, DWORD createError)
{
    return !mutex.Get() || createError != ERROR_ALREADY_EXISTS;
}

// Brings the gadget that already runs to the front, or the dialog it shows.
void ShowRunningGadget()
{
    HWND running = FindWindowW(PROGRAM_NAME, nullptr);
    if (!running)
        return;
    if (IsIconic(running))
        ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(running));
}

// Closes a running gadget, so that it saves its settings before they go
// and its file can be removed, and waits for it to end.
void CloseRunningGadget()
{
    HWND running = FindWindowW(PROGRAM_NAME, nullptr);
    if (!running)
        return;
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    CKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    PostMessageW(running, WM_CLOSE, 0, 0);
    if (process.Get())
        WaitForSingleObject(process.Get(), GADGET_EXIT_WAIT_MS);
}

// Tells the user whether the product was removed, in the language in force.
class CUninstallMessage : public CUninstallReport
{
public:
    explicit CUninstallMessage(int language) : m_language(language) { }
    void Tell(UninstallResult result) override
    {
        const bool removed = result == UninstallResult::REMOVED;
        // The text may hold letters outside the ANSI code page.
        MessageBoxW(nullptr, LocalizedString(removed ? IDS_UNINSTALLED : IDS_CANNOT_UNINSTALL, m_language).c_str(),
                    LocalizedString(IDS_UNINSTALL_CAPTION, m_language).c_str(),
                    removed ? MB_ICONINFORMATION : MB_ICONERROR);
    }

private:
    int m_language;
};

// Without a stored latitude (the first start) the place is the one the
// system's country and time zone suggest, with the exact sun left as it is;
// for a country the gazetteer does not know, the defaults stay.
void GuessPlace(CProgramSettings* settings)
{
    const CGazetteer gazetteer;
    const int guessed = GuessSystemPlace(gazetteer);
    if (guessed < 0)
        return;
    DialSettings dial = settings->Dial();
    SetDialPlace(gazetteer.Place(guessed), &dial);
    settings->SetGuessedDial(dial);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    // Every setting is read here, once; the modules keep them through it.
    CProgramSettings settings(SETTINGS_PARENT, SETTINGS_PATH);
    settings.Load(SystemLanguageOffset(), ReadSystemClock().biasMinutes);
    if (!settings.LatitudeStored())
        GuessPlace(&settings);
    const int language = settings.Language();
    // The window's title and the shortcuts' name.
    const std::wstring title = LocalizedString(IDS_TITLE, language);

    if (FindOption(commandLine, "uninstall")) {
        CloseRunningGadget();
        CUninstallMessage message(language);
        UninstallSelfAs(PROGRAM_NAME, title.c_str(), &settings, &message);
        return 0;
    }
    if (FindOption(commandLine, "install")) {
        const InstallResult installed = InstallSelfAs(PROGRAM_NAME, title.c_str());
        if (installed != INSTALLED) {
            MessageBoxW(nullptr, LocalizedString(InstallFailureText(installed), language).c_str(),
                        LocalizedString(IDS_INSTALL_CAPTION, language).c_str(), MB_ICONERROR);
            return 1;
        }
    }

    // A second start only brings the running gadget forward: it builds no
    // gadget and writes nothing.
    SetLastError(ERROR_SUCCESS);
    CKernelHandle runningMark(CreateMutexW(nullptr, FALSE, RUNNING_GADGET_MUTEX));
    if (!IsOnlyGadget(runningMark, GetLastError())) {
        ShowRunningGadget();
        return 0;
    }

    CUmbrantEvents events(&settings);
    // The dial is drawn at the scale of the screen.
    const int dialScale = ScalePercentOfDpi(ScreenDpi(nullptr));
    CUmbrant gadget(&settings, dialScale);
    const DialSize size = DialSizeFor(DialModel::Small, dialScale);
    const WindowPlace& kept = settings.Place();
    const HostStyle style = {PROGRAM_NAME,
                             title.c_str(),
                             BACKGROUND_COLOUR,
                             size.frameWidth,
                             size.cornerRadius,
                             DRAG_OPACITY,
                             FADE_TIME,
                             ANIMATION_REDRAW_MS,
                             kept.kept ? kept.left : POSITION_UNSET,
                             kept.kept ? kept.top : POSITION_UNSET};
    CGadgetApplication host(&gadget, &events, style);
    if (host.Create(instance)) {
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The gadget saves its settings as it goes, if it ran at all.
    return 0;
}
