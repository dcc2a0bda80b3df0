// The sundial gadget: its settings, its resources and its frames.
#pragma once

#include "dial/DialSize.h"
#include "gadget/Gadget.h"
#include "platform/Clock.h"
#include "settings/Languages.h"

#include <memory>

class CDialResources;
struct SunSource;

// The sundial gadget: keeps the dial's settings and drawing resources, paints
// a dial frame on request and asks for the next one when the picture will
// have changed visibly.
class CUmbrant : public CGadget
{
public:
    // Reads its settings from HKEY_LOCAL_MACHINE\settingsKey, which it
    // keeps to write them back; draws the dial at scalePercent of its size.
    CUmbrant(const char* settingsKey, int scalePercent);
    ~CUmbrant() override;

    bool OnCreate(CGadgetHost* host, HWND window) override;
    bool Paint(HDC dc, unsigned char* pixels, int stride) override;
    bool SetContentRect(int left, int top, int right, int bottom) override;
    bool GetContentSize(int* width, int* height) override;
    bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* redraw) override;
    bool OnTimer() override;
    DWORD NextFrameDelay() override;
    bool OnLanguageChanged(int language) override;
    // Sizes, frame, buttons and drawing resources at the new scale.
    bool OnScaleChanged(int scalePercent) override;
    // Runs the Settings dialog for CMD_SETTINGS; true for every command.
    bool OnCommand(int command) override;
    // Writes the language in force and the dial's settings to the registry.
    void SaveSettings() const;
    // Where the sun of a frame comes from: the ephemeris' year and zone
    // follow the frame's reading of the clock.
    SunSource Sun(const ClockReading& clock) const;

    // The language in force: the host's, or the last one the gadget heard of.
    int Language() const;
    // The Settings dialog changed what the dial shows: a frame at once.
    void SettingChanged();
    // The frame, the buttons and the drawing resources of the dial's scale.
    void TakeScale();

    const char* m_settingsKey;
    CGadgetHost* m_host;
    int m_rectLeft, m_rectTop;
    int m_rectWidth, m_rectHeight;
    // Width x height bytes of the dial rectangle, or null when it cannot be had.
    std::unique_ptr<unsigned char[]> m_shadowMask;
    HWND m_window;
    std::unique_ptr<CDialResources> m_resources;
    DWORD m_lastNightTextTime;
    // The state of the dial's own random numbers, seeded when it is made.
    int m_nightTextRandom;
    int m_simulatedDay;
    int m_simulatedTime;
    float m_latitude;
    float m_longitude;
    bool m_firstStart;
    bool m_created;
    bool m_settingsChanged;
    bool m_simulate;
    bool m_exactSun;
    bool m_isBig;
    int m_scalePercent;
    // The stored language until the host tells of one, then the one it last
    // told of, kept for the settings written when the host may be gone already.
    int m_language = LANGUAGE_ENGLISH;
    char m_nightText[1024];
    // The moment of the frame on the screen, and the moment from which the
    // real clock's picture has moved on from it (only while m_painted).
    int m_shownMoment = 0;
    long long m_frameDueMoment = 0;
    bool m_painted = false;
};
