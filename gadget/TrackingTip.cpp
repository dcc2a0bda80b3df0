// A tool tip that its owner shows and hides itself, without a timer.
#include "gadget/TrackingTip.h"

#include "gadget/ScreenScale.h"

#include <commctrl.h>

namespace {

// The tip stands this share of the cursor's height below the mouse, clear
// of the arrow (the tool tip then keeps itself on the screen).
const int TIP_BELOW_CURSOR_NUMERATOR = 2;
const int TIP_BELOW_CURSOR_DENOMINATOR = 3;
// Wider texts break into lines; lines of their own ("\r\n") need a width
// too. The dial's longest line, the moon's in Slovenian, takes about 390 at
// 100 %; the width grows with the screen's scale, as the tip's font does.
const int TIP_MAX_WIDTH = 400;

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
    SendToolInfo(TTM_ADDTOOLW, text);
    FitToScreen();
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
    FitToScreen();
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

void CTrackingTip::FitToScreen()
{
    // The window may have moved to a monitor of another scale since.
    SendMessageW(m_tip, TTM_SETMAXTIPWIDTH, 0, MulDiv(TIP_MAX_WIDTH, ScreenDpi(m_window), NATURAL_DPI));
}
