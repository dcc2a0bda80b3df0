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

#include <cmath>
#include <new>

namespace {

// A frame for a new moment is asked for this long into its second, so that
// a timer that comes a little early or late still finds that moment.
const int DUE_SECOND_OFFSET_MS = 100;

// What a yes/no setting reads as when it is absent: neither yes nor no, so
// that the first start can tell it from a stored no.
const int ABSENT_FLAG = -1;
// What an angle reads as when it is absent; its range rule gives the default.
const float ABSENT_ANGLE = NAN;

// One stored setting: its registry value (a REG_SZ text), the member it fills
// (the one of its kind) and the rule that brings a stored value into range.
struct StoredSetting
{
    const char* name;
    int CUmbrant::*intMember;
    int intDefault;
    int (*intRule)(int stored);
    float CUmbrant::*floatMember;
    // Also gives the default for an absent or non-finite value.
    float (*floatRule)(float stored, float zoneMeridian);
    bool CUmbrant::*boolMember;
    // Set when the yes/no value is absent (null: nothing to tell).
    bool CUmbrant::*absentMember;
};

constexpr StoredSetting IntSetting(const char* name, int CUmbrant::*member, int fallback, int (*rule)(int))
{
    return {name, member, fallback, rule, nullptr, nullptr, nullptr, nullptr};
}

constexpr StoredSetting FloatSetting(const char* name, float CUmbrant::*member, float (*rule)(float, float))
{
    return {name, nullptr, 0, nullptr, member, rule, nullptr, nullptr};
}

constexpr StoredSetting BoolSetting(const char* name, bool CUmbrant::*member, bool CUmbrant::*absent = nullptr)
{
    return {name, nullptr, 0, nullptr, nullptr, nullptr, member, absent};
}

int KnownLanguage(int stored)
{
    return KnownLanguageOr(stored, LANGUAGE_ENGLISH);
}

float Latitude(float stored, float)
{
    return LatitudeInRange(stored);
}

// The dial's settings in the order they are written. Without a stored
// longitude the exact sun starts on the meridian the model takes, so that
// turning it on changes only what the ephemeris adds; without a stored size
// the gadget makes its first start.
const StoredSetting STORED_SETTINGS[] = {
    IntSetting("Language", &CUmbrant::m_language, LANGUAGE_ENGLISH, KnownLanguage),
    BoolSetting("IsBigClock", &CUmbrant::m_isBig, &CUmbrant::m_firstStart),
    FloatSetting("GeoLatitude", &CUmbrant::m_latitude, Latitude),
    BoolSetting("IsSimulateDateTime", &CUmbrant::m_simulate),
    IntSetting("SimulatedDayOfYear", &CUmbrant::m_simulatedDay, 0, DayInRange),
    IntSetting("SimulatedTimeOfDay", &CUmbrant::m_simulatedTime, 0, TimeInRange),
    FloatSetting("GeoLongitude", &CUmbrant::m_longitude, LongitudeInRange),
    BoolSetting("IsExactSun", &CUmbrant::m_exactSun),
};

}  // namespace

CUmbrant::CUmbrant(const char* settingsKey, int scalePercent)
    : m_settingsKey(settingsKey), m_host(nullptr), m_rectLeft(0), m_rectTop(0), m_rectWidth(0), m_rectHeight(0),
      m_window(nullptr), m_lastNightTextTime(0), m_nightTextRandom(static_cast<int>(GetTickCount())), m_created(false),
      m_settingsChanged(false), m_scalePercent(scalePercent)
{
    const float zoneMeridian = ZoneMeridian(ReadSystemClock().biasMinutes);
    for (const StoredSetting& setting : STORED_SETTINGS) {
        if (setting.intMember) {
            this->*setting.intMember =
                setting.intRule(RegReadInt(HKEY_LOCAL_MACHINE, m_settingsKey, setting.name, setting.intDefault));
        } else if (setting.floatMember) {
            this->*setting.floatMember = setting.floatRule(
                RegReadFloat(HKEY_LOCAL_MACHINE, m_settingsKey, setting.name, ABSENT_ANGLE), zoneMeridian);
        } else {
            const int stored = RegReadInt(HKEY_LOCAL_MACHINE, m_settingsKey, setting.name, ABSENT_FLAG);
            this->*setting.boolMember = stored > 0;
            if (setting.absentMember)
                this->*setting.absentMember = stored == ABSENT_FLAG;
        }
    }
    m_nightText[0] = 0;
    InitDialTables();
}

CUmbrant::~CUmbrant()
{
    // A gadget that never showed has nothing of its own to keep: what it
    // read stays as it was.
    if (m_created)
        SaveSettings();
}

void CUmbrant::SaveSettings() const
{
    for (const StoredSetting& setting : STORED_SETTINGS) {
        if (setting.intMember)
            RegWriteInt(HKEY_LOCAL_MACHINE, m_settingsKey, nullptr, setting.name, this->*setting.intMember);
        else if (setting.floatMember)
            RegWriteFloat(HKEY_LOCAL_MACHINE, m_settingsKey, nullptr, setting.name, this->*setting.floatMember);
        else
            RegWriteInt(HKEY_LOCAL_MACHINE, m_settingsKey, nullptr, setting.name, this->*setting.boolMember ? 1 : 0);
    }
}

SunSource CUmbrant::Sun(const ClockReading& clock) const
{
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
    const ClockReading clock = ReadSystemClock();
    const SunSource sun = Sun(clock);
    const int moment = ComputeDialMoment(m_simulate, m_simulatedDay, m_simulatedTime, clock);
    DialFrame frame = {m_rectLeft,
                       m_rectTop,
                       m_rectWidth,
                       m_rectHeight,
                       m_isBig,
                       m_scalePercent,
                       m_latitude,
                       moment,
                       0,
                       m_shadowMask.get(),
                       resources,
                       &m_lastNightTextTime,
                       &m_nightTextRandom,
                       m_nightText,
                       language,
                       sun};
    PaintDialFrame(frame, dc, pixels, stride);
    m_settingsChanged = false;
    m_shownMoment = moment;
    m_frameDueMoment =
        static_cast<long long>(moment) +
        SecondsOfSamePicture(sun, m_latitude, DialSizeFor(m_isBig, m_scalePercent), m_rectWidth, m_rectHeight, moment);
    m_painted = true;
    return true;
}

bool CUmbrant::SetContentRect(int left, int top, int right, int bottom)
{
    m_rectLeft = left;
    m_rectTop = top;
    m_rectWidth = right - left;
    m_rectHeight = bottom - top;
    m_shadowMask.reset();
    if (m_rectWidth > 0 && m_rectHeight > 0)
        m_shadowMask.reset(new (std::nothrow) unsigned char[static_cast<size_t>(m_rectWidth) * m_rectHeight]);
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
    if (m_host)
        m_host->ContentChanged();
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
