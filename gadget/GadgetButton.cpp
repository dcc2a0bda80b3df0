// Bitmap buttons of the host, with their tool tips.
#include "gadget/GadgetButton.h"

#include <new>

#include "text/Strings.h"

CGadgetButton::CGadgetButton(HWND window, const RECT& frame, const ButtonStyle& style, CCommandTarget* owner,
                             int language)
    : m_style(style), m_frame(frame), m_cell(style.size),
      m_strip(CWindowDC(window).Get(), LoadBitmapW(GetModuleHandleW(nullptr), style.resourceName)), m_owner(owner)
{
    BITMAP strip;
    // A strip drawn at a larger scale than the button has cells as high as
    // the strip.
    if (m_strip.Bitmap() && GetObjectW(m_strip.Bitmap(), sizeof strip, &strip) && strip.bmHeight > 0)
        m_cell = strip.bmHeight;
    if (style.tipStringId) {
        m_tip.reset(new (std::nothrow) CTrackingTip(window, LocalizedString(style.tipStringId, language).c_str()));
        if (m_tip)
            m_tip->SetRect(Rect());
    }
}

void CGadgetButton::ShowTip(bool show)
{
    if (m_tip)
        m_tip->Show(show);
}

RECT CGadgetButton::Rect() const
{
    int left = m_frame.right - m_style.size + m_style.x, top = m_frame.top + m_style.y;
    return {left, top, left + m_style.size, top + m_style.size};
}

void CGadgetButton::SetFrame(const RECT& frame)
{
    m_frame = frame;
    if (m_tip)
        m_tip->SetRect(Rect());
}

void CGadgetButton::Draw(HDC dc) const
{
    // Without its strip the button shows nothing but still reacts.
    const HDC stripDC = m_strip.GetDC();
    if (!stripDC)
        return;
    const int frame = m_pressed && m_hover ? 2 : m_hover ? 1 : 0;
    const int size = m_style.size;
    const RECT rect = Rect();
    if (m_cell == size) {
        BitBlt(dc, rect.left, rect.top, size, size, stripDC, frame * size, 0, SRCCOPY);
    } else {
        int oldMode = SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, rect.left, rect.top, size, size, stripDC, frame * m_cell, 0, m_cell, m_cell, SRCCOPY);
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
            SetCursor(LoadCursorW(GetModuleHandleW(nullptr), L"LinkCursor"));
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
    if (m_tip)
        m_tip->SetText(LocalizedString(m_style.tipStringId, language).c_str());
}
