#include <windows.h>

#include <new>

#include "dial/Umbrant.h"
#include "gadget/GadgetApplication.h"
#include "gadget/GadgetEvents.h"
#include "install/CommandLine.h"
#include "install/Setup.h"
#include "settings/Registry.h"
#include "settings/StoredValues.h"
#include "settings/Strings.h"

namespace {

const int STRING_TITLE = 50;
const int STRING_CLOSE_TIP = 51;
// Held by the gadget that runs in this user session; a second start finds it.
const char RUNNING_GADGET_MUTEX[] = "Local\\Umbrant gadget";
// How long an uninstall gives a running gadget to save its settings and end.
const DWORD GADGET_EXIT_WAIT_MS = 10000;

// Owns one kernel object handle; null when there is none.
class CKernelHandle
{
public:
    explicit CKernelHandle(HANDLE handle) : m_handle(handle) {}
    ~CKernelHandle()
    {
        if (m_handle)
            CloseHandle(m_handle);
    }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
    CKernelHandle(const CKernelHandle&) = delete;
    CKernelHandle& operator=(const CKernelHandle&) = delete;
};

// True when no other gadget holds the mutex (or it cannot be made at all).
bool IsOnlyGadget(const CKernelHandle& mutex, DWORD createError)
{
    return !mutex.Get() || createError != ERROR_ALREADY_EXISTS;
}

// Brings the gadget that already runs to the front, or the dialog it shows.
void ShowRunningGadget(const char* className)
{
    HWND running = FindWindowA(className, nullptr);
    if (!running)
        return;
    if (IsIconic(running))
        ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(running));
}

// Closes a running gadget, so that it saves its settings before they go
// and its file can be removed, and waits for it to end.
void CloseRunningGadget(const char* className)
{
    HWND running = FindWindowA(className, nullptr);
    if (!running)
        return;
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    CKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    PostMessageA(running, WM_CLOSE, 0, 0);
    if (process.Get())
        WaitForSingleObject(process.Get(), GADGET_EXIT_WAIT_MS);
}

CGadgetApplication* CreateHost(CGadget* gadget, CGadgetEvents* events)
{
    return new (std::nothrow)
        CGadgetApplication(gadget, events, "Umbrant", LoadLocalizedString(STRING_TITLE), 12, 12, RGB(255, 255, 255), 6,
                           4, 1000, 0.75f, 0.15f, 0, 0, 0, 0);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const int systemLanguage = SystemLanguageOffset();
    g_languageOffset = KnownLanguageOr(
        RegReadInt(HKEY_LOCAL_MACHINE, UMBRANT_SETTINGS_KEY, "Language", systemLanguage), systemLanguage);
    CGadgetEvents* events = new (std::nothrow) CGadgetEvents();
    CUmbrant* gadget = new (std::nothrow) CUmbrant();
    g_pGadget = gadget;
    CGadgetApplication* host = CreateHost(gadget, events);
    if (!host)
        return 0;
    if (events)
        events->m_host = host;

    if (FindOption(commandLine, "uninstall", nullptr, nullptr, 0)) {
        CloseRunningGadget(host->m_className);
        UninstallSelf(host);
        return 0;
    }
    if (FindOption(commandLine, "install", nullptr, nullptr, 0))
        InstallSelf(host);

    SetLastError(ERROR_SUCCESS);
    CKernelHandle runningMark(CreateMutexA(nullptr, FALSE, RUNNING_GADGET_MUTEX));
    if (!IsOnlyGadget(runningMark, GetLastError())) {
        ShowRunningGadget(host->m_className);
    } else if (host->Create(instance)) {
        host->AddButton(host, CMD_CLOSE, 0, "ButtonClose", 1, -1, -8, 7, 16, 16, true, false, false, false, nullptr,
                        STRING_CLOSE_TIP, false);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    // The gadget saves its settings as it goes, if it ran at all.
    delete host;
    delete events;
    delete gadget;
    return 0;
}
