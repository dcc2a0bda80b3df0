// A tool tip that its owner shows and hides itself, without a timer.
#pragma once

#include <windows.h>

// One tracking tool tip of a window: it shows under the mouse when told and
// stays, unchanged, until told to go. A tip that follows relayed mouse
// messages instead polls the mouse with a timer for as long as it shows.
class CTrackingTip
{
public:
    // A tip of window with text (wide, so that every letter of a
    // translation shows whatever the system's ANSI code page is).
    CTrackingTip(HWND window, const wchar_t* text);
    ~CTrackingTip();

    bool Shown() const { return m_shown; }
    void SetText(const wchar_t* text);
    // The area of the owner's client the tip is about.
    void SetRect(const RECT& rect);
    // Shows the tip under the mouse, or hides it.
    void Show(bool show);

private:
    void SendToolInfo(UINT message, const wchar_t* text);
    // Makes the tip as wide as the longest line of text, up to the width of
    // the work area of the owner's monitor, beyond which a line breaks; the
    // width stays as it was when the text cannot be measured.
    void FitWidth(const wchar_t* text);

    HWND m_window;
    HWND m_tip = nullptr;
    RECT m_rect = {0, 0, 0, 0};
    bool m_shown = false;

    CTrackingTip(const CTrackingTip&) = delete;
    CTrackingTip& operator=(const CTrackingTip&) = delete;
};
