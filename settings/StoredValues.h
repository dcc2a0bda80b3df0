// Range rules of the settings read from the registry.
#pragma once

// Every stored setting is brought into the range the Settings dialog can show
// before use, so that what is written back reads the same at the next start.

// Latitude, degrees north, when none is stored or the stored one is not a number.
const float DEFAULT_LATITUDE = 45.0f;

// The stored language when the language table has it, else fallback.
int KnownLanguageOr(int stored, int fallback);
// An angle held to -limit ... limit; infinities and NaN give fallback.
float AngleInRange(float stored, float limit, float fallback);
// Held to -90 ... 90; infinities and NaN give DEFAULT_LATITUDE.
float LatitudeInRange(float stored);
// Day of the year held to 0 ... 365, as the day track bar reaches.
int DayInRange(int stored);
// Seconds after midnight held to 0 ... 86400, as the time track bar reaches.
int TimeInRange(int stored);
// The meridian of the time zone whose standard time is biasMinutes behind
// UTC (the platform clock's bias), degrees east within -180 ... 180: UTC+13
// is -165.
float ZoneMeridian(int biasMinutes);
// Degrees east held to -180 ... 180; infinities and NaN give fallback.
float LongitudeInRange(float stored, float fallback);
// A coordinate of the window's stored place held to -32768 ... 32767, the
// reach of the signed 16-bit coordinates that mouse messages carry.
int PlaceInRange(int stored);
// A place's name without its control characters (those of C0 and C1, DEL,
// and the line and paragraph separators), which would break it into lines
// or send a terminal commands; shortened in place.
void DropControlCharacters(wchar_t* name);
