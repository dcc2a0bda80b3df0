// The sundial gadget: its settings, its resources and its frames.
#pragma once

#include "dial/DialFrame.h"
#include "dial/NightText.h"
#include "dial/DialSize.h"
#include "dialogs/SettingsDialog.h"
#include "gadget/Gadget.h"
#include "platform/Clock.h"
#include "settings/ProgramSettings.h"

#include <memory>

struct SunSource;

// The sundial gadget: keeps the dial's settings in force and its drawing
// resources, paints a dial frame on request and asks for the next one when
// the picture will have changed visibly. Its settings come from, and are
// saved through, the program's settings object, which holds the language too.
class CUmbrant : public CGadget, public CSettingsListener
{
public:
    // Takes the dial's settings from settings, which it saves through and
    // which outlives it; draws the dial at scalePercent of its size.
    CUmbrant(CProgramSettings* settings, int scalePercent);
    ~CUmbrant() override;

    bool OnCreate(CGadgetHost* host, HWND window) override;
    bool Paint(HDC dc, const PixelView& surface) override;
    bool SetContentRect(int left, int top, int right, int bottom) override;
    bool GetContentSize(int* width, int* height) override;
    bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnTimer() override;
    DWORD NextFrameDelay() override;
    // Sizes, frame, buttons and drawing resources at the new scale.
    bool OnScaleChanged(int scalePercent) override;
    // Runs the Settings dialog for CMD_SETTINGS; true for every command.
    bool OnCommand(int command) override;
    // Over the dial's face: the place, the day's sunrise, noon and sunset in
    // the clock's local time, the day's length and civil twilight, the sun
    // now, and the moon's phase, rise and set.
    bool TipText(int x, int y, wchar_t* text, int size) override;
    // The Settings dialog changed a setting: a new size, else a frame at once.
    void OnSettingsChanged(const DialSettings& settings) override;
    // Where the sun of a frame comes from: the ephemeris' year and zone
    // follow the frame's reading of the clock.
    SunSource Sun(const ClockReading& clock) const;

private:
    // A frame at once, for a setting that changed what the dial shows.
    void SettingChanged();
    // The frame, the buttons and the drawing resources of the dial's scale.
    void TakeScale();
    // Hands the settings in force to the settings object and saves it.
    void SaveSettings() const;
    // What the face shows at the dial moment, with the sun of the moment's
    // reading of the clock.
    DialFace Face(const SunSource& sun, int moment);
    // Whole hours the clock in force runs ahead of local standard time at
    // the dial moment t: 1 while daylight saving is in force.
    int ClockShiftHours(const SunSource& sun, int t);

    // The clock's shift as last found, for an hour of local standard time
    // (t / 3600) of a year in a zone.
    struct ClockShift
    {
        int year, zoneMinutes, hour;
        int hours;
    };

    CProgramSettings* m_store;
    DialSettings m_settings;
    bool m_firstStart;
    CGadgetHost* m_host = nullptr;
    HWND m_window = nullptr;
    int m_rectLeft = 0, m_rectTop = 0;
    int m_rectWidth = 0, m_rectHeight = 0;
    // Width x height bytes of the dial rectangle, or null when it cannot be had.
    std::unique_ptr<unsigned char[]> m_shadowMask;
    std::unique_ptr<CDialResources> m_resources;
    CNightText m_nightText;
    CKeptMarkings m_markings;
    ClockShift m_clockShift = {0, 0, -1, 0};
    bool m_created = false;
    bool m_settingsChanged = false;
    int m_scalePercent;
    // The moment of the frame on the screen, and the moment from which the
    // real clock's picture has moved on from it (only while m_painted).
    int m_shownMoment = 0;
    long long m_frameDueMoment = 0;
    bool m_painted = false;
};
