// Bitmap buttons of the host, with their tool tips.
#include "gadget/GadgetButton.h"

#include <commctrl.h>

#include "settings/Strings.h"

namespace {

// The tip stands this share of the cursor's height below the mouse, clear
// of the arrow (the tool tip then keeps itself on the screen and off the
// button).
const int TIP_BELOW_CURSOR_NUMERATOR = 2;
const int TIP_BELOW_CURSOR_DENOMINATOR = 3;

}  // namespace

CGadgetButton::CGadgetButton(HWND window, const RECT& frame, const ButtonStyle& style, CCommandTarget* owner,
                             int language)
    : m_style(style), m_frame(frame), m_cell(style.size), m_window(window), m_owner(owner)
{
    HDC referenceDC = ::GetDC(window);
    m_memDC = CreateCompatibleDC(referenceDC);
    ::ReleaseDC(window, referenceDC);
    m_bitmap = LoadBitmapA(GetModuleHandleA(nullptr), style.resourceName);
    BITMAP strip;
    // A strip drawn at a larger scale than the button has cells as high as
    // the strip.
    if (m_bitmap && GetObjectA(m_bitmap, sizeof strip, &strip) && strip.bmHeight > 0)
        m_cell = strip.bmHeight;
    if (m_bitmap && m_memDC)
        m_oldBitmap = SelectObject(m_memDC, m_bitmap);
    if (style.tipStringId)
        CreateToolTip(language);
}

CGadgetButton::~CGadgetButton()
{
    if (m_memDC) {
        if (m_oldBitmap)
            SelectObject(m_memDC, m_oldBitmap);
        DeleteDC(m_memDC);
    }
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_toolTip)
        DestroyWindow(m_toolTip);
}

void CGadgetButton::CreateToolTip(int language)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    m_toolTip = CreateWindowExA(WS_EX_TOPMOST, "tooltips_class32", nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (!m_toolTip)
        return;
    SetWindowPos(m_toolTip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Texts go through the wide messages so that every letter of the
    // translation shows whatever the system's ANSI code page is.
    SendToolInfo(TTM_ADDTOOLW, LoadLocalizedStringW(m_style.tipStringId, language));
    SendMessageA(m_toolTip, TTM_SETMAXTIPWIDTH, 0, 300);
}

void CGadgetButton::ShowTip(bool show)
{
    if (!m_toolTip)
        return;
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = m_window;
    tool.uId = 0;
    POINT place = {0, 0};
    if (show) {
        GetCursorPos(&place);
        place.y += GetSystemMetrics(SM_CYCURSOR) * TIP_BELOW_CURSOR_NUMERATOR / TIP_BELOW_CURSOR_DENOMINATOR;
        SendMessageW(m_toolTip, TTM_TRACKPOSITION, 0, MAKELPARAM(place.x, place.y));
    }
    SendMessageW(m_toolTip, TTM_TRACKACTIVATE, show, reinterpret_cast<LPARAM>(&tool));
    // Some common-controls versions read the track position as unsigned: on a
    // monitor left of or above the primary one the tip is put in place here.
    if (show && (place.x < 0 || place.y < 0))
        SetWindowPos(m_toolTip, HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CGadgetButton::SendToolInfo(UINT message, const wchar_t* text)
{
    TOOLINFOW tool = {};
    // The version-2 size is understood by every common-controls version.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    // The button shows and hides its tip itself as the mouse comes and goes
    // (a tracking tool): a tip that follows relayed mouse messages polls the
    // mouse with a timer for as long as it is shown.
    tool.uFlags = TTF_TRACK;
    tool.hwnd = m_window;
    tool.uId = 0;
    tool.rect = Rect();
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(m_toolTip, message, 0, reinterpret_cast<LPARAM>(&tool));
}

RECT CGadgetButton::Rect() const
{
    int left = m_frame.right - m_style.size + m_style.x, top = m_frame.top + m_style.y;
    return {left, top, left + m_style.size, top + m_style.size};
}

void CGadgetButton::SetFrame(const RECT& frame)
{
    m_frame = frame;
    if (!m_toolTip)
        return;
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = GetParent(m_toolTip);
    tool.uId = 0;
    tool.rect = Rect();
    SendMessageA(m_toolTip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CGadgetButton::Draw(HDC dc) const
{
    // Without its strip the button shows nothing but still reacts.
    if (!m_bitmap)
        return;
    const int frame = m_pressed && m_hover ? 2 : m_hover ? 1 : 0;
    const int size = m_style.size;
    const RECT rect = Rect();
    if (m_cell == size) {
        BitBlt(dc, rect.left, rect.top, size, size, m_memDC, frame * size, 0, SRCCOPY);
    } else {
        int oldMode = SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, rect.left, rect.top, size, size, m_memDC, frame * m_cell, 0, m_cell, m_cell, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
}

bool CGadgetButton::HandleMouse(int event, int x, int y)
{
    // A press or release can come with no move before it (the window was
    // hidden or disabled while the mouse came over it): each event tells
    // where the mouse is.
    const RECT rect = Rect();
    bool hover = rect.left <= x && x < rect.right && rect.top <= y && y < rect.bottom;
    bool hoverChanged = hover != m_hover;
    m_hover = hover;
    if (hoverChanged)
        ShowTip(hover);
    switch (event) {
    case MOUSE_MOVE:
        if (hover)
            SetCursor(LoadCursorA(GetModuleHandleA(nullptr), "LinkCursor"));
        return hoverChanged;
    case MOUSE_DOWN:
        m_pressed = m_hover;
        // A press puts the tip away until the mouse comes back.
        if (m_hover)
            ShowTip(false);
        return m_hover;
    case MOUSE_UP: {
        bool click = m_pressed && m_hover;
        if (click && m_owner)
            m_owner->OnCommand(m_style.command);
        m_pressed = false;
        return click;
    }
    default: return false;
    }
}

void CGadgetButton::UpdateTipText(int language)
{
    if (m_toolTip)
        SendToolInfo(TTM_SETTOOLINFOW, LoadLocalizedStringW(m_style.tipStringId, language));
}
