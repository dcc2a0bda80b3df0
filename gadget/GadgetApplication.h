// The host window that shows a gadget over a copy of the desktop.
#pragma once

#include "gadget/Gadget.h"

#include <memory>
#include <vector>

#include "gadget/GadgetButton.h"
#include "gadget/GadgetImage.h"
#include "gadget/GadgetLink.h"
#include "gadget/WorkAreaList.h"
#include "raster/BitmapSurface.h"

// The host: a borderless window that composes every frame off screen over a
// copy of the desktop behind it, and hosts the gadget and its buttons. It
// knows the gadget and the program only through the interfaces of Gadget.h.
class CGadgetApplication : public CCommandTarget, public CNotifyTarget, public CGadgetHost
{
public:
    CGadgetApplication(CGadget* gadget, CGadgetEvents* events, const char* name, const char* title, int language,
                       int width, int height, COLORREF backgroundColour, int frameWidth, int cornerRadius,
                       int animationRedrawMs, float dragOpacity, float fadeTime, int marginLeft, int marginTop,
                       int marginRight, int marginBottom);
    bool OnCommand(int command, int param, bool checked) override;
    ~CGadgetApplication() override;
    bool OnNotify(int command, int param, const char* target) override;

    // CGadgetHost
    bool AddButton(int command, const char* resourceName, int x, int y, int size, int tipStringId) override;
    bool UpdateSize(bool centre) override;
    bool SetFrame(int frameWidth, int cornerRadius) override;
    int GetLanguage() const override { return m_language; }
    // Tool tips and language switch links follow at once, then the gadget
    // and the program hear of it.
    bool SetLanguage(int language) override;

    // Keeps the window's place as WindowLeft and WindowTop under
    // HKEY_LOCAL_MACHINE\\key: the place at start, written when a drag ends
    // and when the window goes. Without a key every start is centred.
    void KeepPlaceUnder(const char* key) { m_placeKey = key; }
    // Moves the window the least distance that puts it wholly on the
    // nearest work area.
    void BringOnScreen();
    // The window went to a screen of this DPI: the gadget takes its scale,
    // the window the new size with its top-left corner at the suggested one.
    void OnDpiChanged(int dpi, const RECT& suggested);

    bool Create(HINSTANCE instance);
    bool SetContentSize(int width, int height, bool centre);
    // Adds the frame and the margins to a content size: the window's size.
    void WindowSizeFor(int* width, int* height) const;
    bool Resize(int width, int height, bool centre);

    bool Compose(bool force);
    bool CaptureBackground(bool full, int x, int y);

    CGadgetButton* AddButton(CCommandTarget* owner, int command, int param, const char* resourceName, int alignX,
                             int alignY, int x, int y, int w, int h, bool visible, bool radio, bool toggle,
                             bool checked, const char* tipText, int tipStringId, bool flat);
    CGadgetButton* FindButton(int command, int param);
    CGadgetLink* AddLink(int command, int param, CNotifyTarget* listener, const char* text, const char* target,
                         bool active, COLORREF textColour, COLORREF hoverColour, COLORREF boxColour,
                         COLORREF boxBorderColour, int boxPadding, bool useFont3, bool useFont2, HFONT font1,
                         HFONT font2, HFONT font3, int left, int top, int right, int bottom);
    CGadgetLink* FindLink(int command, int param);
    bool AddImage(const char* resourceName, int alignX, int alignY, int x, int y);

    HWND GetWindow() const { return m_window; }

    HWND CreateGadgetWindow(HINSTANCE instance, const char* className, const char* title, int width, int height,
                            int frameWidth);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Fields in the order the host's design lists them.
    int m_dragAnchorX, m_dragAnchorY;
    char* m_className;
    char* m_title;
    int m_language;
    int m_width, m_height;
    int m_frameWidth;
    int m_cornerRadius;
    int m_marginLeft, m_marginTop, m_marginBottom, m_marginRight;
    float m_dragOpacity;
    float m_fadeTime;
    // While the timer runs, a frame is drawn at least this often though nothing
    // forced one; m_idleTime counts the time since the last frame.
    int m_animationRedrawMs;
    COLORREF m_backgroundColour;
    HWND m_window;
    HDC m_windowDC;
    HBRUSH m_backgroundBrush;
    DWORD m_lastTick;
    float m_opacity, m_opacityTarget;
    float m_dragPhase, m_dragPhaseTarget;
    float m_idleTime;
    bool m_dragging;
    int m_captureX, m_captureY;
    int m_captureWidth, m_captureHeight;
    CGadget* m_gadget;
    CGadgetEvents* m_events;
    std::unique_ptr<CBitmapSurface> m_composition;
    std::unique_ptr<CBitmapSurface> m_background;
    std::vector<std::unique_ptr<CGadgetButton>> m_buttons;
    std::vector<std::unique_ptr<CGadgetLink>> m_links;
    std::vector<std::unique_ptr<CGadgetImage>> m_images;
    // The animation timer runs; the one-shot timer waits for the gadget's
    // next change.
    bool m_animating = false;
    bool m_waiting = false;
    // Where the window's place is kept, if anywhere; the work areas a drag
    // keeps the window on, read when it starts.
    const char* m_placeKey = nullptr;
    CWorkAreaList m_dragAreas;
    // The system tells the window when the mouse leaves it (WM_MOUSELEAVE);
    // asked for only while a button or link is hovered.
    bool m_trackingLeave = false;
    // SetCoalescableTimer of user32 where the system has it, else null.
    UINT_PTR(WINAPI* m_setCoalescableTimer)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG) = nullptr;

private:
    void GiveContentRect();
    // The content rectangle, the buttons and the images follow the frame.
    void FitToFrame();
    void SavePlace() const;
    // Takes this size with the top-left corner at corner; false when the
    // size is the one the window has.
    bool Place(int width, int height, PlacePoint corner);
    // The top-left corner at start of a window of this size: the stored
    // place when enough of it is on a work area, else centred.
    PlacePoint StartCorner(int width, int height) const;
    // The window's top-left corner moved the least that puts a window of
    // this size wholly on a work area.
    PlacePoint OnScreenCorner(int width, int height) const;
    // Offers a mouse event to every button; true when any of them took it.
    bool OfferMouse(int event, int x, int y);
    bool OfferGadget(UINT message, WPARAM wParam, LPARAM lParam);
    void RecaptureOnActivation();
    void Scroll(UINT message, WPARAM wParam, LPARAM lParam);
    // A button or link under the mouse.
    bool ControlHovered() const;
    // Asks for WM_MOUSELEAVE while a control is hovered and gives the request
    // up otherwise: a system may poll the mouse for it (Wine does, every
    // hover time), which would wake an idle gadget under a resting mouse.
    void WatchForLeave();
    // Runs the animation timer while something animates, otherwise the
    // one-shot timer for the gadget's next change, or no timer at all.
    void ScheduleFrames(bool animating);

    CGadgetApplication(const CGadgetApplication&) = delete;
    CGadgetApplication& operator=(const CGadgetApplication&) = delete;
};
