// Bitmap buttons of the host, with their tool tips.
#pragma once

#include <windows.h>

#include <memory>

#include "gadget/TrackingTip.h"
#include "platform/Handles.h"

// A button reports its clicks to its owner through this interface.
class CCommandTarget
{
public:
    virtual void OnCommand(int command) = 0;
    virtual ~CCommandTarget() { }
};

// Mouse events offered to buttons.
const int MOUSE_MOVE = 1;
const int MOUSE_DOWN = 2;
const int MOUSE_UP = 3;

// Where a button stands and what it does: a size x size square whose
// top-right corner is x pixels from the frame's right edge (x <= 0) and y
// below its top, drawn from the bitmap strip resourceName (normal, hover,
// pressed), with the tool tip of string tipStringId.
struct ButtonStyle
{
    int command;
    const wchar_t* resourceName;
    int x, y, size;
    int tipStringId;
};

// A button in the host's frame, with its tool tip. A click is a press and a
// release both over the button.
class CGadgetButton
{
public:
    CGadgetButton(HWND window, const RECT& frame, const ButtonStyle& style, CCommandTarget* owner, int language);

    int Command() const { return m_style.command; }
    RECT Rect() const;
    // The frame rectangle the button stands in.
    void SetFrame(const RECT& frame);
    void Draw(HDC dc) const;
    // True when the button's look changed (or it was clicked).
    bool HandleMouse(int event, int x, int y);
    bool Hovered() const { return m_hover; }
    // The tool tip takes its text in language.
    void UpdateTipText(int language);

private:
    void ShowTip(bool show);

    ButtonStyle m_style;
    RECT m_frame;
    // One frame's cell in the strip: the button's size, or larger when the
    // strip was drawn for a larger scale.
    int m_cell;
    bool m_hover = false;
    bool m_pressed = false;
    CMemoryBitmap m_strip;
    std::unique_ptr<CTrackingTip> m_tip;
    CCommandTarget* m_owner;

    CGadgetButton(const CGadgetButton&) = delete;
    CGadgetButton& operator=(const CGadgetButton&) = delete;
};
