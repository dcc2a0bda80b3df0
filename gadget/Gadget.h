#pragma once

#include <windows.h>

class CGadgetApplication;

// Commands carried by buttons and links: negative ones are host actions,
// positive ones belong to the application.
const int CMD_CLOSE = -1;
const int CMD_MINIMIZE = -2;
const int CMD_MAXIMIZE = -3;
const int CMD_RESTORE = -4;
const int CMD_LANGUAGE = -6;
const int CMD_SETTINGS = 100;

// "No position known", in host coordinates.
const int POSITION_UNSET = static_cast<int>(0x80000000u);

// A button reports its clicks to its owner through this interface.
class CCommandTarget
{
public:
    virtual bool OnCommand(int command, int param, bool checked) = 0;
    virtual ~CCommandTarget() {}
};

// A link reports its clicks to its listener through this interface.
class CNotifyTarget
{
public:
    virtual bool OnNotify(int command, int param, const char* target) = 0;
};

// The gadget the host shows and drives.
class CGadget
{
public:
    virtual bool OnCreate(CGadgetApplication* host, HWND window) = 0;
    virtual bool Paint(HDC dc, unsigned char* pixels, int stride) = 0;
    virtual bool SetContentRect(int left, int top, int right, int bottom) = 0;
    virtual bool GetContentSize(int* width, int* height) = 0;
    virtual bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* redraw) = 0;
    // True when the picture is due a new frame now.
    virtual bool OnTimer() = 0;
    // Milliseconds until the picture changes by itself (the frame may come a
    // quarter second later); 0 while it changes all the time, INFINITE when
    // it stays as it is.
    virtual DWORD NextFrameDelay() = 0;
    virtual bool OnLanguageChanged(int language) = 0;
    virtual ~CGadget() {}
};
