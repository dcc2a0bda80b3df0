// The host window's messages: mouse, drag, scroll bars, timer and commands.
#include "common/Saturate.h"
#include "gadget/GadgetApplication.h"
#include "gadget/ScreenScale.h"

namespace {

const UINT OUT_OF_THE_WAY = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
const UINT DRAG_MOVE = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
const int SCROLL_PAGE = 30;
const WPARAM SYSTEM_COMMAND_MASK = 0xFFF0;
// Where the mouse counts as being once it has left the window: outside every
// button.
const LPARAM OUTSIDE_THE_WINDOW = MAKELPARAM(0x8000, 0x8000);

int MessageX(LPARAM lParam)
{
    return static_cast<short>(LOWORD(lParam));
}

int MessageY(LPARAM lParam)
{
    return static_cast<short>(HIWORD(lParam));
}

// The new position of a scroll bar control after a scroll message; the old
// one when the request does not move it.
int ScrollTarget(WPARAM wParam, const SCROLLINFO& info)
{
    int position = info.nPos;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= SCROLL_PAGE; break;
    case SB_PAGEDOWN: position += SCROLL_PAGE; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: position = HIWORD(wParam); break;
    }
    return static_cast<int>(Clamp(position, info.nMin, info.nMax));
}

}  // namespace

bool CGadgetApplication::OfferMouse(int event, int x, int y)
{
    bool taken = false;
    for (const std::unique_ptr<CGadgetButton>& button : m_buttons)
        if (button->HandleMouse(event, x, y))
            taken = true;
    return taken;
}

bool CGadgetApplication::OfferGadget(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_gadget || !m_gadget->OnMessage(m_window, message, wParam, lParam))
        return false;
    m_frames.ContentChanged();
    return true;
}

void CGadgetApplication::EndDrag()
{
    m_dragging = false;
    ReportPlace();
}

void CGadgetApplication::OnActivate(WORD state)
{
    if (state == WA_INACTIVE)
        return;
    RECT rect;
    GetWindowRect(m_window, &rect);
    SetWindowPos(m_window, nullptr, rect.left, rect.top, 0, 0, OUT_OF_THE_WAY);
    Sleep(10);
    m_compositor.Capture(m_window, DesktopCopy::FRESH, rect.left, rect.top);
    SetWindowPos(m_window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 OUT_OF_THE_WAY);
}

void CGadgetApplication::Scroll(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!control || !GetScrollInfo(control, SB_CTL, &info))
        return;
    int position = ScrollTarget(wParam, info);
    if (position == info.nPos)
        return;
    SetScrollPos(control, SB_CTL, position, TRUE);
    if (OfferGadget(message, wParam, lParam))
        DrawFrame();
}

LRESULT CALLBACK CGadgetApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The host comes with the window's first message, so that every message
    // of its creation reaches it.
    if (message == WM_NCCREATE) {
        CGadgetApplication* created =
            static_cast<CGadgetApplication*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    CGadgetApplication* host = reinterpret_cast<CGadgetApplication*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!host)
        return DefWindowProcW(window, message, wParam, lParam);
    return host->OnMessage(message, wParam, lParam);
}

void CGadgetApplication::OnDestroy()
{
    ReportPlace();
    PostQuitMessage(0);
}

void CGadgetApplication::OnEndSession(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (wParam)
        ReportPlace();
    OfferGadget(message, wParam, lParam);
}

void CGadgetApplication::OnWindowPosChanging(const WINDOWPOS& position)
{
    if (!(position.flags & SWP_NOMOVE)) {
        m_compositor.Capture(m_window, DesktopCopy::MOVED, position.x, position.y);
        RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    if (position.flags & SWP_SHOWWINDOW)
        m_compositor.Capture(m_window, DesktopCopy::FRESH, POSITION_UNSET, POSITION_UNSET);
}

void CGadgetApplication::OnTimer()
{
    const bool due = m_gadget && m_gadget->OnTimer();
    if (due)
        m_frames.ContentChanged();
    Compose(due ? FrameAsk::FORCED : FrameAsk::IF_DUE);
}

void CGadgetApplication::OnSettingChange(UINT message, WPARAM wParam)
{
    // A monitor may be gone, or a taskbar may cover the window now.
    if (message == WM_DISPLAYCHANGE || wParam == SPI_SETWORKAREA)
        BringOnScreen();
    OnContentMayHaveChanged();
}

void CGadgetApplication::OnContentMayHaveChanged()
{
    ContentChanged();
    DrawFrame();
}

void CGadgetApplication::OnPowerBroadcast(WPARAM event)
{
    if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND)
        OnContentMayHaveChanged();
}

void CGadgetApplication::OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = MessageX(lParam), y = MessageY(lParam);
    // A press, on a button or for a drag, puts the tip away.
    HideGadgetTip();
    m_hoverWanted = false;
    if (OfferMouse(MOUSE_DOWN, x, y) || OfferGadget(message, wParam, lParam)) {
        DrawFrame();
        return;
    }
    m_dragging = true;
    m_dragAnchorX = x;
    m_dragAnchorY = y;
    m_dragAreas.Read();
    SetCapture(m_window);
}

void CGadgetApplication::OnMouseMoveOrDrag(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = MessageX(lParam), y = MessageY(lParam);
    if (m_dragging) {
        POINT corner = {x - m_dragAnchorX, y - m_dragAnchorY};
        ClientToScreen(m_window, &corner);
        PlacePoint allowed = LimitDrag({corner.x, corner.y}, m_width, m_height, m_dragAreas.Get());
        SetWindowPos(m_window, nullptr, allowed.x, allowed.y, 0, 0, DRAG_MOVE);
        return;
    }
    if (OfferMouse(MOUSE_MOVE, x, y) || OfferGadget(message, wParam, lParam))
        DrawFrame();
    if (lParam != OUTSIDE_THE_WINDOW)
        OnMouseMoved(x, y);
    else
        WatchMouse();
}

void CGadgetApplication::OnButtonUp(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The drag ends before the capture goes, which the window hears of.
    if (m_dragging) {
        EndDrag();
        ReleaseCapture();
    }
    OfferMouse(MOUSE_UP, MessageX(lParam), MessageY(lParam));
    OfferGadget(message, wParam, lParam);
    DrawFrame();
}

void CGadgetApplication::OnCaptureChanged(HWND capture)
{
    // Another window took the mouse in mid-drag: the release will not come
    // here, so the drag ends now.
    if (m_dragging && capture != m_window) {
        EndDrag();
        DrawFrame();
    }
}

bool CGadgetApplication::OnGadgetInput(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (OfferGadget(message, wParam, lParam)) {
        DrawFrame();
        return message == WM_SETCURSOR;
    }
    if (message == WM_SETCURSOR)
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
    return false;
}

void CGadgetApplication::OnWindowCommand(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The program's own items of the window menu, and commands sent to the
    // window by its dialogs. The system keeps the low four bits of a window
    // menu command.
    if (m_events && message == WM_COMMAND)
        m_events->OnWindowCommand(m_window, LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    else if (m_events)
        m_events->OnWindowCommand(m_window, static_cast<int>(wParam & SYSTEM_COMMAND_MASK), nullptr);
}

LRESULT CGadgetApplication::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A mouse that leaves the window straight from a button sends no last
    // move: the leave stands for one, so that nothing stays hovered.
    if (message == WM_MOUSELEAVE) {
        m_tracking &= ~TME_LEAVE;
        m_hoverWanted = false;
        HideGadgetTip();
        if (m_dragging)
            return 0;
        message = WM_MOUSEMOVE;
        lParam = OUTSIDE_THE_WINDOW;
    }
    // The mouse went from the gadget's tip to another window.
    if (message == m_mouseGoneMessage) {
        HideGadgetTip();
        WatchMouse();
        return 0;
    }
    switch (message) {
    case WM_DESTROY: OnDestroy(); break;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: OnEndSession(message, wParam, lParam); return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam)); break;
    case WM_SETFOCUS: return 0;
    case WM_PAINT: DrawFrame(); break;
    // Without surfaces nothing is composed: the class brush paints.
    case WM_ERASEBKGND:
        if (DrawFrame())
            return 1;
        break;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(*reinterpret_cast<const WINDOWPOS*>(lParam)); break;
    case WM_TIMER: OnTimer(); break;
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE: OnSettingChange(message, wParam); break;
    case MESSAGE_DPI_CHANGED: OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    // The clock or the time zone may have changed.
    case WM_TIMECHANGE: OnContentMayHaveChanged(); break;
    case WM_POWERBROADCAST: OnPowerBroadcast(wParam); break;
    case WM_HSCROLL:
    case WM_VSCROLL: Scroll(message, wParam, lParam); break;
    case WM_LBUTTONDOWN: OnButtonDown(message, wParam, lParam); break;
    case WM_MOUSEMOVE: OnMouseMoveOrDrag(message, wParam, lParam); break;
    case WM_MOUSEHOVER: OnMouseRest(MessageX(lParam), MessageY(lParam), wParam); break;
    case WM_LBUTTONUP: OnButtonUp(message, wParam, lParam); break;
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<HWND>(lParam)); break;
    case WM_SETCURSOR:
    case WM_NOTIFY:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_RBUTTONDOWN:
        if (OnGadgetInput(message, wParam, lParam))
            return 1;
        break;
    case WM_COMMAND:
    case WM_SYSCOMMAND: OnWindowCommand(message, wParam, lParam); break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}
