// The sundial gadget: its settings, its resources and its frames.
#include "dial/Umbrant.h"

#include "common/Calendar.h"
#include "dial/DialFrame.h"
#include "dial/DialPixels.h"
#include "dial/Moonlight.h"
#include "sun/Ephemeris.h"
#include "dial/NightText.h"
#include "dial/PictureChange.h"
#include "dial/SunTip.h"
#include "raster/BitmapSurface.h"
#include "text/Strings.h"

#include <new>

namespace {

// A frame for a new moment is asked for this long into its second, so that
// a timer that comes a little early or late still finds that moment.
const int DUE_SECOND_OFFSET_MS = 100;
const long long FILE_TIME_PER_SECOND = 10000000;

DialModel Model(const DialSettings& settings)
{
    return settings.isBig ? DialModel::Big : DialModel::Small;
}

long long FileTimeCount(const FILETIME& time)
{
    return static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// Minutes east of UTC of the system's clock, daylight saving included, at
// the dial moment t of year in local standard time standardZone minutes
// east of UTC; standardZone where the system cannot say.
int ClockZoneMinutes(int year, int t, int standardZone)
{
    const SYSTEMTIME newYear = {static_cast<WORD>(year), 1, 0, 1, 0, 0, 0, 0};
    FILETIME start;
    if (!SystemTimeToFileTime(&newYear, &start))
        return standardZone;
    // Day 1 begins at t = SECONDS_PER_DAY.
    const long long seconds = static_cast<long long>(t) - SECONDS_PER_DAY - standardZone * SECONDS_PER_MINUTE;
    const unsigned long long utcCount =
        static_cast<unsigned long long>(FileTimeCount(start) + seconds * FILE_TIME_PER_SECOND);
    const FILETIME utc = {static_cast<DWORD>(utcCount), static_cast<DWORD>(utcCount >> 32)};
    SYSTEMTIME utcTime, localTime;
    FILETIME local;
    if (!FileTimeToSystemTime(&utc, &utcTime) || !SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &localTime) ||
        !SystemTimeToFileTime(&localTime, &local))
        return standardZone;
    return static_cast<int>((FileTimeCount(local) - FileTimeCount(utc)) / (FILE_TIME_PER_SECOND * SECONDS_PER_MINUTE));
}

}  // namespace

int CUmbrant::ClockShiftHours(const SunSource& sun, int t)
{
    // Daylight saving begins and ends on the hour: the system's time zone is
    // asked again only in another hour, year or zone.
    const ClockShift asked = {sun.year, sun.zoneMinutes, t / SECONDS_PER_HOUR, 0};
    ClockShift& kept = m_clockShift;
    if (asked.year != kept.year || asked.zoneMinutes != kept.zoneMinutes || asked.hour != kept.hour) {
        kept = asked;
        kept.hours = (ClockZoneMinutes(sun.year, t, sun.zoneMinutes) - sun.zoneMinutes) / MINUTES_PER_HOUR;
    }
    return kept.hours;
}

CUmbrant::CUmbrant(CProgramSettings* settings, int scalePercent)
    : m_store(settings), m_settings(settings->Dial()), m_firstStart(settings->FirstStart()),
      m_nightText(static_cast<int>(GetTickCount())), m_scalePercent(scalePercent)
{
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
    m_store->SetDial(m_settings);
    m_store->Save();
}

SunSource CUmbrant::Sun(const ClockReading& clock) const
{
    SunSource sun = {.exact = m_settings.exactSun,
                     .longitude = m_settings.longitude,
                     .year = clock.year,
                     .zoneMinutes = -clock.biasMinutes};
    // The clock's moment counts its days in the UTC year; a simulated day is
    // one of the current year of local standard time, which may have turned
    // over already or not yet.
    if (m_settings.simulate) {
        const int now = MomentFromClock(clock);
        if (now < SECONDS_PER_DAY)
            --sun.year;
        else if (now >= (DaysInYear(clock.year) + 1) * SECONDS_PER_DAY)
            ++sun.year;
    }
    return sun;
}

DialFace CUmbrant::Face(const SunSource& sun, int moment)
{
    const DialSettings& settings = m_settings;
    return {
        .model = Model(settings),
        .scalePercent = m_scalePercent,
        .latitude = settings.latitude,
        .sun = sun,
        .dateLines = settings.dateLines,
        .clockHours = settings.clockHours,
        .clockShiftHours = settings.clockHours ? ClockShiftHours(sun, moment) : 0,
        .language = m_store->Language(),
        .moonFace = settings.moonFace,
    };
}

bool CUmbrant::OnCreate(CGadgetHost* host, HWND window)
{
    m_host = host;
    m_window = window;
    TakeScale();
    m_created = true;
    if (m_firstStart)
        OnCommand(CMD_SETTINGS);
    return true;
}

void CUmbrant::TakeScale()
{
    const DialSize size = DialSizeFor(Model(m_settings), m_scalePercent);
    if (m_host) {
        m_host->SetFrame(size.frameWidth, size.cornerRadius);
        m_host->AddButton(CMD_CLOSE, CScaledName(L"ButtonClose", size.pictureScale).Get(), size.closeButtonX,
                          size.buttonY, size.buttonSize, IDS_CLOSE_TIP);
        m_host->AddButton(CMD_SETTINGS, CScaledName(L"ButtonSettings", size.pictureScale).Get(), size.settingsButtonX,
                          size.buttonY, size.buttonSize, IDS_SETTINGS_TIP);
    }
    m_resources.reset(new (std::nothrow) CDialResources(CWindowDC(m_window).Get(), size));
}

bool CUmbrant::OnScaleChanged(int scalePercent)
{
    m_scalePercent = scalePercent;
    TakeScale();
    m_painted = false;
    return true;
}

bool CUmbrant::Paint(HDC dc, const PixelView& surface)
{
    if (!m_created)
        return false;
    // Before the host hands over the dial rectangle there is nothing to paint.
    if (m_rectWidth <= 0 || m_rectHeight <= 0)
        return true;
    if (!m_resources)
        return false;
    const DialSettings& settings = m_settings;
    const ClockReading clock = ReadSystemClock();
    const int moment = ComputeDialMoment(settings.simulate, settings.simulatedDay, settings.simulatedTime, clock);
    const DialFace face = Face(Sun(clock), moment);
    const DialSize size = DialSizeFor(face.model, face.scalePercent);
    const PixelRect dial = {m_rectLeft, m_rectTop, m_rectLeft + m_rectWidth, m_rectTop + m_rectHeight};
    // The night text is the one state that lives from frame to frame; a
    // face lit by the sun or the moon shows none.
    const bool lit = ComputeFaceLight(face, size, dial, moment).lighting != Lighting::NONE;
    m_nightText.Update(lit, moment, face.language, timeGetTime());
    const DialFrame frame = {
        .dial = dial,
        .face = face,
        .moment = moment,
        .displayBits = DEVICE_DEPTH,
        .shadowMask = m_shadowMask.get(),
        .resources = m_resources.get(),
        .nightText = m_nightText.Text(),
        .markings = &m_markings,
    };
    PaintDialFrame(frame, dc, surface);
    m_settingsChanged = false;
    m_shownMoment = moment;
    m_frameDueMoment =
        static_cast<long long>(moment) + SecondsOfSamePicture(face, size, m_rectWidth, m_rectHeight, moment);
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
    int size = DialSizeFor(Model(m_settings), m_scalePercent).side;
    if (width)
        *width = size;
    if (height)
        *height = size;
    return true;
}

bool CUmbrant::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM)
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
    if (!m_painted || m_settings.simulate)
        return false;
    // A clock set back shows an older moment at once.
    int now = MomentFromClock(ReadSystemClock());
    if (now >= m_frameDueMoment || now < m_shownMoment)
        return true;
    return m_nightText.ChosenAt() != 0 && NightTextDue(m_nightText.ChosenAt(), timeGetTime());
}

DWORD CUmbrant::NextFrameDelay()
{
    // A simulated moment stands still.
    if (!m_painted || m_settings.simulate)
        return INFINITE;
    ClockReading clock = ReadSystemClock();
    int now = MomentFromClock(clock);
    long long wait = 0;
    if (now >= m_shownMoment)
        wait = (m_frameDueMoment - now) * MS_PER_SECOND - clock.milliseconds + DUE_SECOND_OFFSET_MS;
    if (m_nightText.ChosenAt() != 0) {
        // The text changes at the first frame after its hold time.
        long long held = static_cast<int>(timeGetTime() - m_nightText.ChosenAt());
        if (NIGHT_TEXT_HOLD_MS + 1 - held < wait)
            wait = NIGHT_TEXT_HOLD_MS + 1 - held;
    }
    return wait > 1 ? static_cast<DWORD>(wait) : 1;
}

void CUmbrant::SettingChanged()
{
    m_settingsChanged = true;
    if (m_host)
        m_host->ContentChanged();
}

void CUmbrant::OnSettingsChanged(const DialSettings& settings)
{
    const bool resized = settings.isBig != m_settings.isBig;
    m_settings = settings;
    if (!resized)
        SettingChanged();
    else if (m_host)
        m_host->UpdateSize(SizePlace::WHERE_IT_STANDS);
}

bool CUmbrant::OnCommand(int command)
{
    // However the dialog is left, what it shows is now in force: keep it.
    if (command == CMD_SETTINGS) {
        SettingsDialogState state = {m_settings, m_store->Language(), this};
        DialogBoxParamW(GetModuleHandleW(nullptr), LocalizedResourceName(L"SETTINGS", state.language).c_str(), m_window,
                        SettingsDialogProc, reinterpret_cast<LPARAM>(&state));
        if (state.language != m_store->Language() && m_host)
            m_host->SetLanguage(state.language);
        SaveSettings();
    }
    return true;
}

bool CUmbrant::TipText(int x, int y, wchar_t* text, int size)
{
    const int radius = (m_rectWidth < m_rectHeight ? m_rectWidth : m_rectHeight) / 2;
    const int dx = x - (m_rectLeft + m_rectWidth / 2), dy = y - (m_rectTop + m_rectHeight / 2);
    if (dx * dx + dy * dy > radius * radius || size < SUN_TIP_MAX)
        return false;
    const int language = m_store->Language();
    SunTipWords words = {LocalizedText(IDS_SUNRISE, language),
                         LocalizedText(IDS_SOLAR_NOON, language),
                         LocalizedText(IDS_SUNSET, language),
                         LocalizedText(IDS_DAY_LENGTH, language),
                         LocalizedText(IDS_SUN_ALTITUDE, language),
                         LocalizedText(IDS_AZIMUTH, language),
                         LocalizedText(IDS_NO_SUNSET, language),
                         LocalizedText(IDS_NO_SUNRISE, language),
                         LocalizedText(IDS_SUN_TIME, language),
                         LocalizedText(IDS_BEHIND_CLOCK, language),
                         LocalizedText(IDS_AHEAD_OF_CLOCK, language),
                         LocalizedText(IDS_WITH_CLOCK, language),
                         {LocalizedText(IDS_DAWN, language), LocalizedText(IDS_DUSK, language),
                          LocalizedText(IDS_NO_DAWN, language), LocalizedText(IDS_NO_DUSK, language),
                          LocalizedText(IDS_NO_TWILIGHT, language)},
                         {LocalizedText(IDS_MOON, language),
                          LocalizedText(IDS_MOON_LIT, language),
                          LocalizedText(IDS_MOONRISE, language),
                          LocalizedText(IDS_MOONSET, language),
                          LocalizedText(IDS_NO_MOONRISE, language),
                          LocalizedText(IDS_NO_MOONSET, language),
                          {}},
                         static_cast<wchar_t>(UserDecimalSign())};
    for (int phase = 0; phase < MOON_PHASE_COUNT; ++phase)
        words.moon.phases[phase] = LocalizedText(IDS_MOON_PHASES + phase, language);

    // The moment shown, real or simulated, and the day it falls on by the
    // clock's local time; the sun always from the ephemeris, since a sunrise
    // must be the real one.
    const DialSettings& settings = m_settings;
    const ClockReading clock = ReadSystemClock();
    const SunSource sun = Sun(clock);
    const int moment = ComputeDialMoment(settings.simulate, settings.simulatedDay, settings.simulatedTime, clock);
    const int zone = ClockZoneMinutes(sun.year, moment, sun.zoneMinutes);
    const long long localMoment = moment + static_cast<long long>(zone - sun.zoneMinutes) * SECONDS_PER_MINUTE;
    int year = sun.year;
    int day = static_cast<int>(localMoment / SECONDS_PER_DAY);
    if (day < 1) {
        --year;
        day += DaysInYear(year);
    } else if (day > DaysInYear(year)) {
        day -= DaysInYear(year);
        ++year;
    }
    const double julianDay = JulianDayOfMoment(sun, moment);
    const double latitude = settings.latitude, longitude = settings.longitude;
    const SunInSky now = ComputeSunInSky(julianDay, latitude, longitude);
    const MoonInSky moon = ComputeMoonInSky(julianDay, latitude, longitude);
    const SunTipFacts facts = {
        .placeName = settings.placeName,  // empty: the latitude and longitude
        .latitude = latitude,
        .longitude = longitude,
        .times = ComputeSunTimes(latitude, longitude, year, day, zone),
        .altitude = now.altitude + RefractionDegrees(now.altitude),
        .azimuth = now.azimuth,
        .sunTime = ApparentSolarSeconds(julianDay, longitude),
        .clockTime = static_cast<double>(localMoment % SECONDS_PER_DAY),
        .civil = ComputeSunCrossings(CIVIL_TWILIGHT_ALTITUDE, latitude, longitude, year, day, zone),
        .moonTimes = ComputeMoonTimes(latitude, longitude, year, day, zone),
        .moonPhase = PhaseOfElongation(moon.elongation),
        .moonFraction = moon.fraction,
    };
    FormatSunTip(words, facts, text);
    return true;
}
