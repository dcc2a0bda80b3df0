// The host window that shows a gadget over a copy of the desktop.
#pragma once

#include "gadget/Gadget.h"

#include <memory>
#include <vector>

#include "gadget/Compositor.h"
#include "gadget/FrameScheduler.h"
#include "gadget/GadgetButton.h"
#include "gadget/MouseGoneWatch.h"
#include "gadget/Placement.h"
#include "gadget/TrackingTip.h"
#include "gadget/WorkAreaList.h"
#include "platform/Handles.h"

// The host: a borderless window that hosts the gadget and its buttons. It
// owns the window (its messages, its window menu, its place on the screens,
// the drag), and wires the frame scheduler, which says when a frame is drawn
// and what it paints, to the compositor, which draws it. It knows the gadget
// and the program only through the interfaces of Gadget.h.
class CGadgetApplication : public CCommandTarget, public CGadgetHost
{
public:
    CGadgetApplication(CGadget* gadget, CGadgetEvents* events, const HostStyle& style);
    ~CGadgetApplication() override;

    // CGadgetHost
    bool AddButton(int command, const wchar_t* resourceName, int x, int y, int size, int tipStringId) override;
    bool UpdateSize(SizePlace place) override;
    bool SetFrame(int frameWidth, int cornerRadius) override;
    bool SetLanguage(int language) override;
    void ContentChanged() override;

    // Makes and shows the window, fading in at its start place.
    bool Create(HINSTANCE instance);
    HWND GetWindow() const { return m_window; }
    // Draws a frame now, painting the gadget's content only when it changed;
    // false when there are no surfaces to compose on.
    bool DrawFrame();
    // The button of this command, or null. Only tests ask: where a button
    // stands and what its tip says are read from the button itself, since
    // the window shows them as pixels only.
    const CGadgetButton* FindButton(int command) const;
    const CFrameScheduler& Frames() const { return m_frames; }
    const CCompositor& Compositor() const { return m_compositor; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The language in force, the program's.
    int Language() const;
    // A button's click: the gadget hears of its own commands.
    void OnCommand(int command) override;
    HWND CreateGadgetWindow(HINSTANCE instance);

    // Whether a frame is asked for whatever the scheduler says.
    enum class FrameAsk
    {
        IF_DUE,
        FORCED
    };
    // A frame if the scheduler says one is due (a forced one is), then the
    // timers it plans.
    bool Compose(FrameAsk ask);
    void ApplyTimers(const TimerPlan& plan);
    // The content rectangle and the buttons follow the frame.
    void FitToFrame();
    RECT FrameRect() const;
    // Adds the frame to a content size: the window's size.
    void WindowSizeFor(int* width, int* height) const;
    bool Resize(int width, int height, SizePlace place);
    // Takes this size with the top-left corner at corner; false when the
    // size is the one the window has.
    bool Place(int width, int height, PlacePoint corner);
    // The top-left corner at start of a window of this size: the kept place
    // when enough of it is on a work area, else centred.
    PlacePoint StartCorner(int width, int height) const;
    // The window's top-left corner moved the least that puts a window of
    // this size wholly on a work area.
    PlacePoint OnScreenCorner(int width, int height) const;
    // Moves the window the least distance that puts it wholly on the
    // nearest work area.
    void BringOnScreen();
    // The window went to a screen of this DPI: the gadget takes its scale,
    // the window the new size with its top-left corner at the suggested one.
    void OnDpiChanged(int dpi, const RECT& suggested);
    // Tells the program the window's place to keep.
    void ReportPlace();
    void EndDrag();
    // Offers a mouse event to every button; true when any of them took it.
    bool OfferMouse(int event, int x, int y);
    // Offers a message to the gadget; true when its picture changed.
    bool OfferGadget(UINT message, WPARAM wParam, LPARAM lParam);
    // The window became active or inactive (state, of WM_ACTIVATE): an active
    // one copies the desktop behind it afresh.
    void OnActivate(WORD state);
    void Scroll(UINT message, WPARAM wParam, LPARAM lParam);
    // Asks for WM_MOUSEHOVER while a rest of the mouse is awaited, for
    // WM_MOUSELEAVE then too (a rest that never comes, the mouse being gone,
    // is no longer awaited) and while a button is hovered, and gives the
    // requests up otherwise: a system may poll the mouse for them (Wine does, every hover
    // time), which would wake an idle gadget under a resting mouse. While the
    // gadget's tip shows, the mouse-gone watch tells of a leave instead.
    void WatchMouse();
    // The mouse moved to x, y (not in a drag): a rest there is awaited
    // again, and the gadget's tip goes where the gadget has none.
    void OnMouseMoved(int x, int y);
    // The mouse rested at x, y: the gadget's tip shows if it has one there.
    void OnMouseRest(int x, int y, WPARAM keys);
    void HideGadgetTip();
    bool ButtonHovered() const;
    // Message handlers of OnMessage.
    void OnWindowPosChanging(const WINDOWPOS& position);
    void OnTimer();
    void OnSettingChange(UINT message, WPARAM wParam);
    void OnContentMayHaveChanged();
    void OnPowerBroadcast(WPARAM event);
    void OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMoveOrDrag(UINT message, WPARAM wParam, LPARAM lParam);
    void OnButtonUp(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCaptureChanged(HWND capture);
    // Input the gadget may take; true when the cursor was set.
    bool OnGadgetInput(UINT message, WPARAM wParam, LPARAM lParam);
    void OnWindowCommand(UINT message, WPARAM wParam, LPARAM lParam);
    void OnEndSession(UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    CGadget* m_gadget;
    CGadgetEvents* m_events;
    HostStyle m_style;
    int m_width, m_height;
    HWND m_window = nullptr;
    std::unique_ptr<CWindowDC> m_windowDC;
    CFrameScheduler m_frames;
    CCompositor m_compositor;
    std::vector<std::unique_ptr<CGadgetButton>> m_buttons;
    // The drag: where the mouse took the window, and the work areas it keeps
    // the window on, read when it starts.
    bool m_dragging = false;
    int m_dragAnchorX = 0, m_dragAnchorY = 0;
    CWorkAreaList m_dragAreas;
    // What the system is asked to tell of the mouse (TME_HOVER, TME_LEAVE).
    DWORD m_tracking = 0;
    // A rest of the mouse is awaited: it moved since the last one, off the
    // buttons, with no tip showing.
    bool m_hoverWanted = false;
    // Where the mouse last rested: a move message to the same point (the
    // system sends them when windows come and go) is no move.
    POINT m_restPoint = {POSITION_UNSET, POSITION_UNSET};
    // The gadget's tip, shown when the mouse rests on the gadget, and the
    // watch that puts it away when the mouse goes to another window.
    std::unique_ptr<CTrackingTip> m_gadgetTip;
    CMouseGoneWatch m_mouseGone;
    const UINT m_mouseGoneMessage = CMouseGoneWatch::Message();
    // SetCoalescableTimer of user32 where the system has it, else null.
    UINT_PTR(WINAPI* m_setCoalescableTimer)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG) = nullptr;

    CGadgetApplication(const CGadgetApplication&) = delete;
    CGadgetApplication& operator=(const CGadgetApplication&) = delete;
};
