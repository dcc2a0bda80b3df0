// The text of the tip over the dial: the place, the day's sun, the sun now and the moon.
#pragma once

#include <string_view>

#include "sun/Ephemeris.h"
#include "sun/Moon.h"

// The number of MoonPhase's names.
const int MOON_PHASE_COUNT = WANING_CRESCENT + 1;

// The twilight's and the moon's words (IDS_DAWN ... IDS_MOON_PHASES); "{}"
// in a word takes the time or the number.
struct TwilightWords
{
    std::wstring_view dawn;  // "Dawn {}"
    std::wstring_view dusk;  // "dusk {}"
    std::wstring_view noDawn;
    std::wstring_view noDusk;
    std::wstring_view none;  // "No dawn or dusk today"
};

struct MoonWords
{
    std::wstring_view moon;    // the line's label
    std::wstring_view lit;     // "{} % lit"
    std::wstring_view rises;   // "rises {}"
    std::wstring_view sets;    // "sets {}"
    std::wstring_view noRise;  // "no moonrise today"
    std::wstring_view noSet;
    std::wstring_view phases[MOON_PHASE_COUNT];  // in the order of MoonPhase
};

// The tip's words in the user's language, from the string table
// (IDS_SUNRISE ... IDS_NO_SUNRISE), and the locale's decimal sign.
struct SunTipWords
{
    std::wstring_view sunrise;
    std::wstring_view solarNoon;
    std::wstring_view sunset;
    std::wstring_view dayLength;
    std::wstring_view sunAltitude;
    std::wstring_view azimuth;
    std::wstring_view noSunset;   // "The sun does not set today"
    std::wstring_view noSunrise;  // "The sun does not rise today"
    std::wstring_view sunTime;
    std::wstring_view behindClock;   // "min behind the clock"
    std::wstring_view aheadOfClock;  // "min ahead of the clock"
    std::wstring_view withClock;     // "as the clock"
    TwilightWords twilight;
    MoonWords moon;
    wchar_t decimalSign;
};

// What the tip tells.
struct SunTipFacts
{
    const wchar_t* placeName;    // null or empty: the latitude and longitude stand for the place
    double latitude, longitude;  // degrees north and east
    SunTimes times;              // for the zone the clock keeps now, daylight saving included
    double altitude;             // of the sun now as it is seen, degrees
    double azimuth;              // of the sun now, degrees clockwise from north
    double sunTime;              // apparent solar time at the place now, seconds of the day
    double clockTime;            // the clock's time now, daylight saving included, seconds of the day
    SunTimes civil;              // the day's civil dawn (sunrise) and dusk (sunset), in the zone of times
    MoonTimes moonTimes;         // the day's moonrise and moonset, in the zone of times
    MoonPhase moonPhase;         // now
    double moonFraction;         // the moon's lit share now, 0 .. 1
};

// Characters the tip's text may take, terminator included.
const int SUN_TIP_MAX = 512;

// The tip's lines, separated by "\r\n", into text (SUN_TIP_MAX characters):
// the place (latitude and longitude with two decimals, south and west
// negative); "Sunrise: H:MM", "Solar noon: H:MM", "Sunset: H:MM" to the
// nearest minute on the 24-hour clock, a missing sunrise or sunset said
// ("The sun does not rise today", "The sun does not set today"); the day's
// length as H:MM; the sun's altitude and azimuth in degrees with one decimal;
// the sun's time H:MM and the minutes the clock is from it
// ("Sun time: 11:48 (12 min behind the clock)"); after the day's length the
// civil twilight ("Dawn 6:48, dusk 17:38"), and last the moon ("Moon:
// waxing gibbous, 78 % lit; rises 15:40, sets 3:12"), a missing event said.
void FormatSunTip(const SunTipWords& words, const SunTipFacts& facts, wchar_t* text);
