// The interfaces between the host, the gadget and the program.
#pragma once

// What the host and a gadget know of each other, and of the program that
// puts them together: the gadget's interface, the narrow interface through
// which the gadget talks back to its host, and the program's event sink.

#include <windows.h>

#include "raster/PixelView.h"

// Commands carried by buttons: negative ones are host actions, positive
// ones belong to the gadget.
const int CMD_CLOSE = -1;
const int CMD_SETTINGS = 100;

// "No position known", in host coordinates.
const int POSITION_UNSET = static_cast<int>(0x80000000u);

// Moves a window (a dialog of the gadget or the program) so that it is
// centred on the screen as the host centres itself, keeping its size.
void CentreWindowOnScreen(HWND window);

// How the program wants the host's window: its names, its look, its fade
// and where it starts.
struct HostStyle
{
    // The window class (a second start finds the running gadget by it) and
    // the window's title.
    const wchar_t* className;
    const wchar_t* title;
    // Behind the content; the frame band around it until the gadget gives
    // its own, and the radius of its corners.
    COLORREF background;
    int frameWidth, cornerRadius;
    // The opacity while the window is dragged and the seconds a fade takes.
    float dragOpacity;
    float fadeTime;
    // While a fade or a drag runs the timer, a frame at least this often
    // though nothing changed.
    int idleRedrawMs;
    // The kept place's top-left corner, POSITION_UNSET when none is kept.
    int left, top;
};

// Where the window stands after it takes a new size.
enum class SizePlace
{
    WHERE_IT_STANDS,
    // The kept place, else centred on the primary screen.
    START_PLACE
};

// What a gadget may ask of its host.
class CGadgetHost
{
public:
    // A size x size button drawn from the bitmap strip resourceName, x and y
    // pixels from the frame's top-right corner, with the tool tip of string
    // tipStringId; its clicks reach the gadget's OnCommand.
    virtual bool AddButton(int command, const wchar_t* resourceName, int x, int y, int size, int tipStringId) = 0;
    // Takes the gadget's content size again, keeping the window wholly on a
    // work area, where it stands or at its start place.
    virtual bool UpdateSize(SizePlace place) = 0;
    // The width of the frame band around the content and the radius of its
    // corners, in force from the next size the host takes.
    virtual bool SetFrame(int frameWidth, int cornerRadius) = 0;
    // A new language: the program keeps it, the host's tool tips and window
    // menu take it.
    virtual bool SetLanguage(int language) = 0;
    // The gadget's picture changed: the host has it painted in the next
    // frame, which it asks for. Frames between such changes (a drag, a fade,
    // a hovered button) reuse the picture.
    virtual void ContentChanged() = 0;
    virtual ~CGadgetHost() { }
};

// The gadget the host shows and drives.
class CGadget
{
public:
    virtual bool OnCreate(CGadgetHost* host, HWND window) = 0;
    // Paints the content into the surface behind dc and its pixels.
    virtual bool Paint(HDC dc, const PixelView& surface) = 0;
    virtual bool SetContentRect(int left, int top, int right, int bottom) = 0;
    virtual bool GetContentSize(int* width, int* height) = 0;
    // A message of the host window; true when the picture changed.
    virtual bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // True when the picture is due a new frame now.
    virtual bool OnTimer() = 0;
    // Milliseconds until the picture changes by itself (the frame may come a
    // quarter second later); 0 while it changes all the time, INFINITE when
    // it stays as it is.
    virtual DWORD NextFrameDelay() = 0;
    // The window went to a screen of another scale (percent of the natural
    // size): the host has dropped every button; the gadget gives its frame
    // and buttons again, and the host then takes the new content size.
    virtual bool OnScaleChanged(int scalePercent) = 0;
    // A command of the application (a positive CMD_...), from its buttons.
    virtual bool OnCommand(int command) = 0;
    // The tip for the mouse resting at x, y of the window, into text (size
    // characters, terminator included); false where the gadget has none.
    virtual bool TipText(int x, int y, wchar_t* text, int size) = 0;
    virtual ~CGadget() { }
};

// The program's event sink: what the window menu's own items, language
// changes and the window's place mean to the program that runs the host.
class CGadgetEvents
{
public:
    // The language in force, from the program's settings.
    virtual int Language() const = 0;
    // The language changed: the program keeps it and relabels its own items.
    virtual bool OnLanguageChanged(int language) = 0;
    // The window's place to keep (its top-left corner): when a drag ends,
    // when the window goes and when the session ends.
    virtual void OnPlaceChanged(int left, int top) = 0;
    // WM_COMMAND or WM_SYSCOMMAND of the host window with an id of the
    // program's (a window menu item's without the four low bits the system
    // keeps, so the program's items are multiples of 16 below 0xF000);
    // control is the control that sent it, if any.
    virtual void OnWindowCommand(HWND window, int id, HWND control) = 0;
    // The host window is made, its menu holding the host's own items.
    virtual void OnWindowCreated(HWND window) = 0;
    virtual ~CGadgetEvents() { }
};
