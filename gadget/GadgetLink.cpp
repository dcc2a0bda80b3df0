// Clickable texts in the host's frame.
#include "gadget/GadgetLink.h"

#include "platform/Handles.h"

#include <stdlib.h>

#include "common/Strings.h"
#include "gadget/Gadget.h"
#include "gadget/GadgetButton.h"

const COLORREF NO_BOX = static_cast<COLORREF>(-1);
const UINT TEXT_FORMAT = DT_WORDBREAK | DT_NOPREFIX;

CGadgetLink::CGadgetLink(int command, int param, CNotifyTarget* listener, const char* text, const char* target,
                         bool active, COLORREF textColour, COLORREF hoverColour, COLORREF boxColour,
                         COLORREF boxBorderColour, int boxPadding, bool useFont3, bool useFont2, HFONT font1,
                         HFONT font2, HFONT font3)
    : m_command(command), m_param(param), m_text(DuplicateString(text)), m_target(DuplicateString(target)),
      m_textColour(textColour), m_hoverTextColour(hoverColour), m_boxColour(boxColour),
      m_boxBorderColour(boxBorderColour), m_boxPadding(boxPadding), m_useFont3(useFont3), m_useFont2(useFont2),
      m_left(0), m_top(0), m_right(0), m_bottom(0), m_textWidth(0), m_textHeight(0), m_listener(listener),
      m_font1(font1), m_font2(font2), m_font3(font3), m_active(active), m_hover(false), m_pressed(false)
{ }

CGadgetLink::~CGadgetLink()
{
    free(m_text);
    free(m_target);
}

void CGadgetLink::SetRect(int left, int top, int right, int bottom)
{
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
    RECT rect = {left, top, right, bottom};
    if (right <= left || bottom <= top)
        rect = {left, top, left + 10000, top + 10000};
    HDC screen = GetDC(nullptr);
    {
        CSelectedObject font(screen, Font());
        DrawTextA(screen, m_text ? m_text : "", -1, &rect, DT_CALCRECT | TEXT_FORMAT);
    }
    ReleaseDC(nullptr, screen);
    m_textWidth = rect.right - rect.left;
    m_textHeight = rect.bottom - rect.top;
}

bool CGadgetLink::Draw(HDC dc)
{
    if (!m_active)
        return false;
    if (m_boxColour != NO_BOX && m_boxBorderColour != NO_BOX) {
        CGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, m_boxBorderColour));
        CGdiObject<HBRUSH> brush(CreateSolidBrush(m_boxColour));
        CSelectedObject penSelected(dc, pen.Get());
        CSelectedObject brushSelected(dc, brush.Get());
        Rectangle(dc, m_left - m_boxPadding, m_top - m_boxPadding, m_right + m_boxPadding, m_bottom + m_boxPadding);
    }
    CSelectedObject font(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_hover ? m_hoverTextColour : m_textColour);
    RECT rect = {m_left, m_top, m_right, m_bottom};
    DrawTextA(dc, m_text ? m_text : "", -1, &rect, TEXT_FORMAT);
    return true;
}

bool CGadgetLink::Hit(LPARAM lParam) const
{
    return PointInBox(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), m_left, m_top, m_right,
                      m_bottom);
}

bool CGadgetLink::HandleMessage(UINT message, LPARAM lParam, bool* redraw)
{
    if (!m_active || !m_target)
        return false;
    bool handled = false;
    switch (message) {
    case WM_MOUSEMOVE: {
        bool hover = Hit(lParam);
        handled = hover != m_hover;
        m_hover = hover;
        break;
    }
    case WM_LBUTTONDOWN:
        m_pressed = m_hover;
        handled = m_hover;
        break;
    case WM_LBUTTONUP:
        handled = m_pressed && m_hover;
        if (handled && m_listener)
            m_listener->OnNotify(m_command, m_param, m_target);
        m_pressed = false;
        break;
    case WM_SETCURSOR: break;
    default: return false;
    }
    if (m_hover && message != WM_LBUTTONUP)
        SetCursor(LoadCursorA(GetModuleHandleA(nullptr), "LinkCursor"));
    if (handled && redraw)
        *redraw = true;
    return handled;
}
