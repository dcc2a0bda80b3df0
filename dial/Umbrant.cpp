// The sundial gadget: its settings, its resources and its frames.
#include "dial/Umbrant.h"

#include "common/Calendar.h"
#include "dial/DialFrame.h"
#include "dial/DialPixels.h"
#include "dial/NightText.h"
#include "dial/PictureChange.h"
#include "raster/BitmapSurface.h"
#include "dial/SettingsDialog.h"
#include "settings/Registry.h"
#include "settings/StoredValues.h"
#include "settings/Strings.h"

#include <cstdlib>
#include <new>

namespace {

// A frame for a new moment is asked for this long into its second, so that
// a timer that comes a little early or late still finds that moment.
const int DUE_SECOND_OFFSET_MS = 100;

// Days in a year of the Gregorian calendar.
int DaysInYear(int year)
{
    int days = 0;
    for (int month = 1; month <= 12; ++month)
        days += DaysInMonth(month, year);
    return days;
}

}  // namespace

CUmbrant::CUmbrant(const char* settingsKey, int scalePercent)
    : m_settingsKey(settingsKey), m_host(nullptr), m_rectLeft(0), m_rectTop(0), m_rectWidth(0), m_rectHeight(0),
      m_shadowMask(nullptr), m_window(nullptr), m_lastNightTextTime(0), m_nightTextIndex(0), m_created(false),
      m_settingsChanged(false), m_scalePercent(scalePercent)
{
    int isBig = RegReadInt(HKEY_LOCAL_MACHINE, m_settingsKey, "IsBigClock", -1);
    m_isBig = isBig > 0;
    m_firstStart = isBig == -1;
    m_latitude = LatitudeInRange(RegReadFloat(HKEY_LOCAL_MACHINE, m_settingsKey, "GeoLatitude", DEFAULT_LATITUDE));
    m_simulate = RegReadInt(HKEY_LOCAL_MACHINE, m_settingsKey, "IsSimulateDateTime", 0) > 0;
    m_simulatedDay = DayInRange(RegReadInt(HKEY_LOCAL_MACHINE, m_settingsKey, "SimulatedDayOfYear", 0));
    m_simulatedTime = TimeInRange(RegReadInt(HKEY_LOCAL_MACHINE, m_settingsKey, "SimulatedTimeOfDay", 0));
    // Without a stored longitude the exact sun starts on the meridian the
    // model takes, so that turning it on changes only what the ephemeris adds.
    const float zoneMeridian = ZoneMeridian(ReadSystemClock().biasMinutes);
    m_longitude =
        LongitudeInRange(RegReadFloat(HKEY_LOCAL_MACHINE, m_settingsKey, "GeoLongitude", zoneMeridian), zoneMeridian);
    m_exactSun = RegReadInt(HKEY_LOCAL_MACHINE, m_settingsKey, "IsExactSun", 0) > 0;
    m_nightText[0] = 0;
    InitDialTables();
}

CUmbrant::~CUmbrant()
{
    free(m_shadowMask);
    // A gadget that never showed (a second start) must not overwrite the
    // settings of the one that runs.
    if (m_created)
        SaveSettings();
}

void CUmbrant::SaveSettings() const
{
    RegWriteInt(HKEY_LOCAL_MACHINE, m_settingsKey, nullptr, "Language", m_language);
    RegWriteInt(HKEY_LOCAL_MACHINE, m_settingsKey, nullptr, "IsBigClock", m_isBig ? 1 : 0);
    RegWriteFloat(HKEY_LOCAL_MACHINE, m_settingsKey, nullptr, "GeoLatitude", m_latitude);
    RegWriteInt(HKEY_LOCAL_MACHINE, m_settingsKey, nullptr, "IsSimulateDateTime", m_simulate ? 1 : 0);
    RegWriteInt(HKEY_LOCAL_MACHINE, m_settingsKey, nullptr, "SimulatedDayOfYear", m_simulatedDay);
    RegWriteInt(HKEY_LOCAL_MACHINE, m_settingsKey, nullptr, "SimulatedTimeOfDay", m_simulatedTime);
    RegWriteFloat(HKEY_LOCAL_MACHINE, m_settingsKey, nullptr, "GeoLongitude", m_longitude);
    RegWriteInt(HKEY_LOCAL_MACHINE, m_settingsKey, nullptr, "IsExactSun", m_exactSun ? 1 : 0);
}

SunSource CUmbrant::Sun() const
{
    const ClockReading clock = ReadSystemClock();
    SunSource sun = {m_exactSun, m_longitude, clock.year, -clock.biasMinutes};
    // The clock's moment counts its days in the UTC year; a simulated day is
    // one of the current year of local standard time, which may have turned
    // over already or not yet.
    if (m_simulate) {
        const int now = MomentFromClock(clock);
        if (now < SECONDS_PER_DAY)
            --sun.year;
        else if (now >= (DaysInYear(clock.year) + 1) * SECONDS_PER_DAY)
            ++sun.year;
    }
    return sun;
}

bool CUmbrant::OnCreate(CGadgetHost* host, HWND window)
{
    m_host = host;
    m_window = window;
    if (m_host)
        m_language = m_host->GetLanguage();
    TakeScale();
    m_created = true;
    if (m_firstStart)
        OnCommand(CMD_SETTINGS);
    return true;
}

void CUmbrant::TakeScale()
{
    const DialSize size = DialSizeFor(m_isBig, m_scalePercent);
    if (m_host) {
        m_host->SetFrame(size.frameWidth, size.cornerRadius);
        m_host->AddButton(CMD_CLOSE, CScaledName("ButtonClose", size.pictureScale).Get(), size.closeButtonX,
                          size.buttonY, size.buttonSize, IDS_CLOSE_TIP);
        m_host->AddButton(CMD_SETTINGS, CScaledName("ButtonSettings", size.pictureScale).Get(), size.settingsButtonX,
                          size.buttonY, size.buttonSize, IDS_SETTINGS_TIP);
    }
    HDC windowDC = GetDC(m_window);
    m_resources.reset(new (std::nothrow) CDialResources(windowDC, size));
    ReleaseDC(m_window, windowDC);
}

bool CUmbrant::OnScaleChanged(int scalePercent)
{
    m_scalePercent = scalePercent;
    TakeScale();
    m_painted = false;
    return true;
}

bool CUmbrant::Paint(HDC dc, unsigned char* pixels, int stride)
{
    if (!m_created)
        return false;
    // Before the host hands over the dial rectangle there is nothing to paint.
    if (m_rectWidth <= 0 || m_rectHeight <= 0)
        return true;
    if (!m_resources)
        return false;
    const CDialResources* resources = m_resources.get();
    const int language = Language();
    const SunSource sun = Sun();
    DialFrame frame = {m_rectLeft,
                       m_rectTop,
                       m_rectWidth,
                       m_rectHeight,
                       m_isBig,
                       m_scalePercent,
                       m_latitude,
                       m_simulate,
                       m_simulatedDay,
                       m_simulatedTime,
                       0,
                       m_shadowMask,
                       resources,
                       &m_lastNightTextTime,
                       &m_nightTextIndex,
                       m_nightText,
                       language,
                       sun};
    int t = PaintDialFrame(frame, dc, pixels, stride);
    m_settingsChanged = false;
    m_shownMoment = t;
    m_frameDueMoment =
        static_cast<long long>(t) +
        SecondsOfSamePicture(sun, m_latitude, DialSizeFor(m_isBig, m_scalePercent), m_rectWidth, m_rectHeight, t);
    m_painted = true;
    return true;
}

bool CUmbrant::SetContentRect(int left, int top, int right, int bottom)
{
    m_rectLeft = left;
    m_rectTop = top;
    m_rectWidth = right - left;
    m_rectHeight = bottom - top;
    free(m_shadowMask);
    m_shadowMask = nullptr;
    if (m_rectWidth > 0 && m_rectHeight > 0)
        m_shadowMask = static_cast<unsigned char*>(malloc(static_cast<size_t>(m_rectWidth) * m_rectHeight));
    return true;
}

bool CUmbrant::GetContentSize(int* width, int* height)
{
    int size = DialSizeFor(m_isBig, m_scalePercent).side;
    if (width)
        *width = size;
    if (height)
        *height = size;
    return true;
}

bool CUmbrant::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM, bool*)
{
    // A logoff ends the process without the usual teardown.
    if (message == WM_ENDSESSION && wParam) {
        SaveSettings();
        return false;
    }
    return message == WM_HSCROLL || message == WM_VSCROLL;
}

bool CUmbrant::OnTimer()
{
    if (m_settingsChanged) {
        m_settingsChanged = false;
        return true;
    }
    if (!m_painted || m_simulate)
        return false;
    // A clock set back shows an older moment at once.
    int now = MomentFromClock(ReadSystemClock());
    if (now >= m_frameDueMoment || now < m_shownMoment)
        return true;
    return m_lastNightTextTime != 0 && NightTextDue(m_lastNightTextTime, timeGetTime());
}

DWORD CUmbrant::NextFrameDelay()
{
    // A simulated moment stands still.
    if (!m_painted || m_simulate)
        return INFINITE;
    ClockReading clock = ReadSystemClock();
    int now = MomentFromClock(clock);
    long long wait = 0;
    if (now >= m_shownMoment)
        wait = (m_frameDueMoment - now) * 1000 - clock.milliseconds + DUE_SECOND_OFFSET_MS;
    if (m_lastNightTextTime != 0) {
        // The text changes at the first frame after its hold time.
        long long held = static_cast<int>(timeGetTime() - m_lastNightTextTime);
        if (NIGHT_TEXT_HOLD_MS + 1 - held < wait)
            wait = NIGHT_TEXT_HOLD_MS + 1 - held;
    }
    return wait > 1 ? static_cast<DWORD>(wait) : 1;
}

bool CUmbrant::OnLanguageChanged(int language)
{
    m_language = language;
    return true;
}

void CUmbrant::SettingChanged()
{
    m_settingsChanged = true;
    if (m_window)
        InvalidateRect(m_window, nullptr, FALSE);
}

int CUmbrant::Language() const
{
    return m_host ? m_host->GetLanguage() : m_language;
}

bool CUmbrant::OnCommand(int command)
{
    // However the dialog is left, what it shows is now in force: keep it.
    if (command == CMD_SETTINGS) {
        DialogBoxParamW(GetModuleHandleA(nullptr), LocalizedResourceName(L"SETTINGS", Language()), m_window,
                        SettingsDialogProc, reinterpret_cast<LPARAM>(this));
        SaveSettings();
    }
    return true;
}
