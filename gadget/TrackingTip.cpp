// A tool tip that its owner shows and hides itself, without a timer.
#include "gadget/TrackingTip.h"

#include "platform/Handles.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The tip stands this share of the cursor's height below the mouse, clear
// of the arrow (the tool tip then keeps itself on the screen).
const int TIP_BELOW_CURSOR_NUMERATOR = 2;
const int TIP_BELOW_CURSOR_DENOMINATOR = 3;
// How a tool tip lays out its text, which its width is measured by.
const UINT TIP_TEXT_FORMAT = DT_NOPREFIX | DT_EXPANDTABS | DT_EXTERNALLEADING;

}  // namespace

CTrackingTip::CTrackingTip(HWND window, const wchar_t* text) : m_window(window)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!m_tip)
        return;
    SetWindowPos(m_tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FitWidth(text);
    SendToolInfo(TTM_ADDTOOLW, text);
}

CTrackingTip::~CTrackingTip()
{
    if (m_tip)
        DestroyWindow(m_tip);
}

void CTrackingTip::SetText(const wchar_t* text)
{
    if (!m_tip)
        return;
    FitWidth(text);
    SendToolInfo(TTM_SETTOOLINFOW, text);
}

void CTrackingTip::SetRect(const RECT& rect)
{
    m_rect = rect;
    if (!m_tip)
        return;
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = m_window;
    tool.uId = 0;
    tool.rect = rect;
    SendMessageW(m_tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CTrackingTip::Show(bool show)
{
    if (!m_tip || show == m_shown)
        return;
    m_shown = show;
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = m_window;
    tool.uId = 0;
    POINT place = {0, 0};
    if (show) {
        GetCursorPos(&place);
        place.y += GetSystemMetrics(SM_CYCURSOR) * TIP_BELOW_CURSOR_NUMERATOR / TIP_BELOW_CURSOR_DENOMINATOR;
        SendMessageW(m_tip, TTM_TRACKPOSITION, 0, MAKELPARAM(place.x, place.y));
    }
    SendMessageW(m_tip, TTM_TRACKACTIVATE, show, reinterpret_cast<LPARAM>(&tool));
    // Some common-controls versions read the track position as unsigned: on a
    // monitor left of or above the primary one the tip is put in place here.
    if (show && (place.x < 0 || place.y < 0))
        SetWindowPos(m_tip, HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CTrackingTip::SendToolInfo(UINT message, const wchar_t* text)
{
    TOOLINFOW tool = {};
    // The version-2 size is understood by every common-controls version.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_TRACK;
    tool.hwnd = m_window;
    tool.uId = 0;
    tool.rect = m_rect;
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(m_tip, message, 0, reinterpret_cast<LPARAM>(&tool));
}

void CTrackingTip::FitWidth(const wchar_t* text)
{
    // The tip's font is the system's at the screen's scale: measured in it,
    // the longest line stands whole at any scale, up to the width of the
    // screen's work area, beyond which a line breaks.
    RECT extent = {0, 0, 0, 0};
    {
        const CWindowDC dc(m_tip);
        const CSelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(m_tip, WM_GETFONT, 0, 0)));
        DrawTextW(dc.Get(), text, -1, &extent, DT_CALCRECT | TIP_TEXT_FORMAT);
    }
    // Nothing measured (no device context, or the measuring failed): a width
    // of 0 would break the text at every word, so the tip keeps the one it has.
    if (extent.right <= extent.left)
        return;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    LONG width = extent.right - extent.left;
    if (GetMonitorInfoW(MonitorFromWindow(m_window, MONITOR_DEFAULTTONEAREST), &monitor))
        width = std::min(width, monitor.rcWork.right - monitor.rcWork.left);
    SendMessageW(m_tip, TTM_SETMAXTIPWIDTH, 0, width);
}
