// Bitmap buttons of the host, with their tool tips.
#pragma once

#include <windows.h>

class CCommandTarget;

// Mouse events offered to buttons.
const int MOUSE_MOVE = 1;
const int MOUSE_DOWN = 2;
const int MOUSE_UP = 3;

// A button drawn from a horizontal strip of bitmap frames (normal, hover,
// pressed), placed relative to the host's frame rectangle, with an optional
// tool tip. A click is a press and a release both over the button.
class CGadgetButton
{
public:
    CGadgetButton(HWND window, int frameLeft, int frameTop, int frameRight, int frameBottom, int command, int param,
                  const char* resourceName, int alignX, int alignY, int x, int y, int w, int h, bool visible,
                  bool radio, bool toggle, bool checked, const char* tipText, int tipStringId, bool flat,
                  CCommandTarget* owner, int language);
    ~CGadgetButton();

    void GetRect(int* left, int* top, int* right, int* bottom) const;
    void SetFrame(int left, int top, int right, int bottom);
    bool Draw(HDC dc);
    bool HandleMouse(int event, int x, int y);
    bool HandleMessage(UINT message, LPARAM lParam, bool* redraw);
    // The tool tip of string m_tipStringId in language.
    bool UpdateTipText(int language);

    void SetVisible(bool visible) { m_visible = visible; }
    bool IsChecked() const { return m_checked; }
    void SetChecked(bool checked) { m_checked = checked; }
    bool TakeClicked();

    int m_command;
    int m_param;
    int m_tipStringId;
    int m_alignX, m_alignY;
    int m_x, m_y;
    int m_w, m_h;
    // One frame's cell in the strip: the button's size, or larger when the
    // strip was drawn for a larger scale.
    int m_cellW = 0, m_cellH = 0;
    bool m_visible;
    bool m_hover;
    bool m_pressed;
    bool m_clicked;
    bool m_flat;
    bool m_radio;
    bool m_toggle;
    bool m_checked;
    int m_frameLeft, m_frameTop, m_frameRight, m_frameBottom;
    HDC m_memDC;
    HBITMAP m_bitmap;
    HWND m_window;
    HWND m_toolTip;
    CCommandTarget* m_owner;

private:
    RECT Rect() const;
    void CreateToolTip(const char* tipText, int language);
    // Shows the tip under the mouse, or hides it.
    void ShowTip(bool show);
    void SendToolInfo(UINT message, const wchar_t* text);

    HGDIOBJ m_oldBitmap;

    CGadgetButton(const CGadgetButton&) = delete;
    CGadgetButton& operator=(const CGadgetButton&) = delete;
};

// Placement shared by buttons and image items: a w x h box anchored in the
// frame rectangle (align < 0 left/top, 0 centred, > 0 right/bottom) and
// shifted by (x, y). Writes left and top.
void PlaceInFrame(int frameLeft, int frameTop, int frameRight, int frameBottom, int alignX, int alignY, int x, int y,
                  int w, int h, int* left, int* top);

// Whether (x, y) lies in the rectangle, right and bottom edges excluded.
inline bool PointInBox(int x, int y, int left, int top, int right, int bottom)
{
    return left <= x && x < right && top <= y && y < bottom;
}
