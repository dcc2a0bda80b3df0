// Bitmap buttons of the host, with their tool tips.
#include "gadget/GadgetButton.h"

#include <commctrl.h>

#include "gadget/Gadget.h"
#include "settings/Strings.h"

namespace {

// The tip stands this share of the cursor's height below the mouse, clear
// of the arrow (the tool tip then keeps itself on the screen and off the
// button).
const int TIP_BELOW_CURSOR_NUMERATOR = 2;
const int TIP_BELOW_CURSOR_DENOMINATOR = 3;

}  // namespace

void PlaceInFrame(int frameLeft, int frameTop, int frameRight, int frameBottom, int alignX, int alignY, int x, int y,
                  int w, int h, int* left, int* top)
{
    int baseX = frameLeft;
    int baseY = frameTop;
    if (alignX == 0)
        baseX = (frameRight + frameLeft - w) >> 1;
    else if (alignX > 0)
        baseX = frameRight - w;
    if (alignY == 0)
        baseY = (frameBottom + frameTop - h) >> 1;
    else if (alignY > 0)
        baseY = frameBottom - h;
    *left = baseX + x;
    *top = baseY + y;
}

CGadgetButton::CGadgetButton(HWND window, int frameLeft, int frameTop, int frameRight, int frameBottom, int command,
                             int param, const char* resourceName, int alignX, int alignY, int x, int y, int w, int h,
                             bool visible, bool radio, bool toggle, bool checked, const char* tipText, int tipStringId,
                             bool flat, CCommandTarget* owner, int language)
    : m_command(command), m_param(param), m_tipStringId(tipStringId), m_alignX(alignX), m_alignY(alignY), m_x(x),
      m_y(y), m_w(w), m_h(h), m_visible(visible), m_hover(false), m_pressed(false), m_clicked(false), m_flat(flat),
      m_radio(radio), m_toggle(toggle), m_checked(checked), m_frameLeft(frameLeft), m_frameTop(frameTop),
      m_frameRight(frameRight), m_frameBottom(frameBottom), m_memDC(nullptr), m_bitmap(nullptr), m_window(window),
      m_toolTip(nullptr), m_owner(owner), m_oldBitmap(nullptr)
{
    HDC referenceDC = ::GetDC(window);
    m_memDC = CreateCompatibleDC(referenceDC);
    ::ReleaseDC(window, referenceDC);
    m_bitmap = LoadBitmapA(GetModuleHandleA(nullptr), resourceName);
    if (m_bitmap && m_memDC && (m_w == 0 || m_h == 0)) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        if (GetDIBits(m_memDC, m_bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS)) {
            m_w = info.bmiHeader.biWidth;
            m_h = info.bmiHeader.biHeight < 0 ? -info.bmiHeader.biHeight : info.bmiHeader.biHeight;
        }
    }
    m_cellW = m_w;
    m_cellH = m_h;
    BITMAP strip;
    if (m_bitmap && m_h > 0 && GetObjectA(m_bitmap, sizeof strip, &strip) && strip.bmHeight > 0) {
        // A strip drawn at a larger scale than the button: its cells are as
        // high as the strip (two rows for a toggle) and keep the button's shape.
        m_cellH = strip.bmHeight / (m_toggle ? 2 : 1);
        m_cellW = MulDiv(m_cellH, m_w, m_h);
    }
    if (m_bitmap && m_memDC)
        m_oldBitmap = SelectObject(m_memDC, m_bitmap);
    if (tipText || tipStringId)
        CreateToolTip(tipText, language);
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

void CGadgetButton::CreateToolTip(const char* tipText, int language)
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
    wchar_t converted[512] = L"";
    const wchar_t* text = converted;
    if (m_tipStringId)
        text = LoadLocalizedStringW(m_tipStringId, language);
    else
        MultiByteToWideChar(CP_ACP, 0, tipText, -1, converted, sizeof(converted) / sizeof(converted[0]) - 1);
    SendToolInfo(TTM_ADDTOOLW, text);
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

void CGadgetButton::GetRect(int* left, int* top, int* right, int* bottom) const
{
    PlaceInFrame(m_frameLeft, m_frameTop, m_frameRight, m_frameBottom, m_alignX, m_alignY, m_x, m_y, m_w, m_h, left,
                 top);
    *right = *left + m_w;
    *bottom = *top + m_h;
}

RECT CGadgetButton::Rect() const
{
    int left, top, right, bottom;
    GetRect(&left, &top, &right, &bottom);
    RECT rect = {left, top, right, bottom};
    return rect;
}

void CGadgetButton::SetFrame(int left, int top, int right, int bottom)
{
    m_frameLeft = left;
    m_frameTop = top;
    m_frameRight = right;
    m_frameBottom = bottom;
    if (!m_toolTip)
        return;
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = GetParent(m_toolTip);
    tool.uId = 0;
    tool.rect = Rect();
    SendMessageA(m_toolTip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
}

bool CGadgetButton::Draw(HDC dc)
{
    if (!m_visible)
        return false;
    int frame = 0;
    if (m_flat)
        frame = 0;
    else if (!m_toggle && m_checked)
        frame = 1;
    else if (m_pressed && m_hover)
        frame = 2;
    else if (m_hover)
        frame = 1;
    int row = m_toggle && m_checked ? m_cellH : 0;
    if (!m_bitmap)
        return true;  // no strip: nothing to show, but the button still reacts
    int left, top, right, bottom;
    GetRect(&left, &top, &right, &bottom);
    if (m_cellW == m_w && m_cellH == m_h) {
        BitBlt(dc, left, top, m_w, m_h, m_memDC, frame * m_w, row, SRCCOPY);
    } else {
        int oldMode = SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, left, top, m_w, m_h, m_memDC, frame * m_cellW, row, m_cellW, m_cellH, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
    return true;
}

bool CGadgetButton::HandleMouse(int event, int x, int y)
{
    if (!m_visible)
        return false;
    // A press or release can come with no move before it (the window was
    // hidden or disabled while the mouse came over it): each event tells
    // where the mouse is.
    int left, top, right, bottom;
    GetRect(&left, &top, &right, &bottom);
    bool hover = PointInBox(x, y, left, top, right, bottom);
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
        if (click) {
            m_clicked = true;
            if (m_toggle)
                m_checked = !m_checked;
            else if (m_radio)
                m_checked = true;
            if (m_owner)
                m_owner->OnCommand(m_command, m_param, m_checked);
        }
        m_pressed = false;
        return click;
    }
    default: return false;
    }
}

bool CGadgetButton::HandleMessage(UINT message, LPARAM lParam, bool* redraw)
{
    int event = message == WM_LBUTTONDOWN ? MOUSE_DOWN
                : message == WM_LBUTTONUP ? MOUSE_UP
                : message == WM_MOUSEMOVE ? MOUSE_MOVE
                                          : 0;
    if (!event)
        return false;
    bool changed = HandleMouse(event, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    if (changed && redraw)
        *redraw = true;
    return changed;
}

bool CGadgetButton::UpdateTipText(int language)
{
    if (!m_tipStringId)
        return false;
    if (m_toolTip)
        SendToolInfo(TTM_SETTOOLINFOW, LoadLocalizedStringW(m_tipStringId, language));
    return true;
}

bool CGadgetButton::TakeClicked()
{
    if (!m_visible)
        return false;
    bool clicked = m_clicked;
    m_clicked = false;
    return clicked;
}
