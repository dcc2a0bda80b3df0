// Word of the mouse going to another program's window, without polling.
#include "gadget/MouseGoneWatch.h"

namespace {

BOOL CALLBACK TellWindow(HWND window, LPARAM)
{
    PostMessageW(window, CMouseGoneWatch::Message(), 0, 0);
    return TRUE;
}

// A low-level hook runs on the thread that set it.
LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const MSLLHOOKSTRUCT* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        HWND under = WindowFromPoint(event->pt);
        if (!under || GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId())
            EnumThreadWindows(GetCurrentThreadId(), TellWindow, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

UINT CMouseGoneWatch::Message()
{
    return RegisterWindowMessageW(L"GadgetHostMouseGone");
}

bool CMouseGoneWatch::Start()
{
    if (!m_hook)
        m_hook = SetWindowsHookExW(WH_MOUSE_LL, MouseHook, GetModuleHandleW(nullptr), 0);
    return m_hook != nullptr;
}

void CMouseGoneWatch::Stop()
{
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    m_hook = nullptr;
}
