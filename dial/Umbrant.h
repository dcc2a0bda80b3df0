#pragma once

#include "gadget/Gadget.h"

class CBitmapSurface;

// The sundial gadget: keeps the dial's settings and drawing resources, paints
// a dial frame on request and asks for the next one when the picture will
// have changed visibly.
class CUmbrant : public CGadget
{
public:
    CUmbrant();
    ~CUmbrant() override;

    bool OnCreate(CGadgetApplication* host, HWND window) override;
    bool Paint(HDC dc, unsigned char* pixels, int stride) override;
    bool SetContentRect(int left, int top, int right, int bottom) override;
    bool GetContentSize(int* width, int* height) override;
    bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* redraw) override;
    bool OnTimer() override;
    DWORD NextFrameDelay() override;
    bool OnLanguageChanged(int language) override;

    // Runs the Settings dialog for CMD_SETTINGS; true for every command.
    bool OnCommand(int command);
    // Writes the language in force and the dial's settings to the registry.
    void SaveSettings() const;

    CGadgetApplication* m_host;
    int m_rectLeft, m_rectTop;
    int m_rectWidth, m_rectHeight;
    unsigned char* m_shadowMask;
    CBitmapSurface* m_numbers;
    HWND m_window;
    HBRUSH m_whiteBrush;
    HFONT m_nightFont;
    HDC m_rodBigDC, m_rodSmallDC;
    HBITMAP m_rodBigBitmap, m_rodSmallBitmap;
    DWORD m_lastNightTextTime;
    int m_nightTextIndex;
    int m_simulatedDay;
    int m_simulatedTime;
    float m_latitude;
    bool m_firstStart;
    bool m_created;
    bool m_settingsChanged;
    bool m_simulate;
    bool m_isBig;
    char m_nightText[1024];
    // The moment of the frame on the screen, and the moment from which the
    // real clock's picture has moved on from it (only while m_painted).
    int m_shownMoment = 0;
    long long m_frameDueMoment = 0;
    bool m_painted = false;
    bool m_settingsOpen = false;
};

// The one dial, for the application's event sink and the dialogs.
extern CUmbrant* g_pGadget;
