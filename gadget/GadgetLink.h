// Clickable texts in the host's frame.
#pragma once

#include <windows.h>

class CNotifyTarget;

// A clickable text in the composed frame. A click (press and release over
// the text) hands the link's target to its listener. Links without a target
// and inactive links never react.
class CGadgetLink
{
public:
    CGadgetLink(int command, int param, CNotifyTarget* listener, const char* text, const char* target, bool active,
                COLORREF textColour, COLORREF hoverColour, COLORREF boxColour, COLORREF boxBorderColour, int boxPadding,
                bool useFont3, bool useFont2, HFONT font1, HFONT font2, HFONT font3);
    ~CGadgetLink();

    // Places the text rectangle and measures the text in it; an empty
    // rectangle measures without bounds from its top-left corner.
    void SetRect(int left, int top, int right, int bottom);
    bool Draw(HDC dc);
    bool HandleMessage(UINT message, LPARAM lParam, bool* redraw);
    void SetActive(bool active) { m_active = active; }

    int m_command, m_param;
    char* m_text;
    char* m_target;
    COLORREF m_textColour, m_hoverTextColour, m_boxColour, m_boxBorderColour;
    int m_boxPadding;
    bool m_useFont3, m_useFont2;
    int m_left, m_top, m_right, m_bottom;
    int m_textWidth, m_textHeight;
    CNotifyTarget* m_listener;
    HFONT m_font1, m_font2, m_font3;
    bool m_active, m_hover, m_pressed;

private:
    HFONT Font() const { return m_useFont2 ? m_font2 : m_useFont3 ? m_font3 : m_font1; }
    bool Hit(LPARAM lParam) const;

    CGadgetLink(const CGadgetLink&) = delete;
    CGadgetLink& operator=(const CGadgetLink&) = delete;
};
