// The range rules of the stored settings.
#include "settings/StoredValues.h"

#include "common/Calendar.h"
#include "common/Saturate.h"
#include "common/Characters.h"

#include "text/Languages.h"

#include <math.h>

namespace {

// Ends of the values the Settings dialog's track bars reach.
const float LATITUDE_LIMIT = 90.0f;
const float LONGITUDE_LIMIT = 180.0f;
const float FULL_TURN = 360.0f;  // degrees: a longitude and one a turn away are one meridian
const int LAST_DAY = 365;
// The two separators that break a line, as the control characters do.
const wchar_t LINE_SEPARATOR = 0x2028;
const wchar_t PARAGRAPH_SEPARATOR = 0x2029;
// The ends of a signed 16-bit coordinate.
const int PLACE_LOW = -32768;
const int PLACE_HIGH = 32767;

}  // namespace

float AngleInRange(float stored, float limit, float fallback)
{
    if (!isfinite(stored))
        return fallback;
    return stored < -limit ? -limit : stored > limit ? limit : stored;
}

int KnownLanguageOr(int stored, int fallback)
{
    return FindLanguage(stored) ? stored : fallback;
}

float LatitudeInRange(float stored)
{
    return AngleInRange(stored, LATITUDE_LIMIT, DEFAULT_LATITUDE);
}

int DayInRange(int stored)
{
    return SaturateToInt(stored, 0, LAST_DAY);
}

int TimeInRange(int stored)
{
    return SaturateToInt(stored, 0, SECONDS_PER_DAY);
}

float ZoneMeridian(int biasMinutes)
{
    // A zone's meridian lies a degree east for every four minutes its time
    // runs ahead of UTC. Zones up to 14 hours ahead reach past 180 degrees
    // east: their meridians lie west of the date line.
    const float east = static_cast<float>(-biasMinutes / MINUTES_PER_DEGREE);
    if (east > LONGITUDE_LIMIT)
        return east - FULL_TURN;
    if (east < -LONGITUDE_LIMIT)
        return east + FULL_TURN;
    return east;
}

float LongitudeInRange(float stored, float fallback)
{
    return AngleInRange(stored, LONGITUDE_LIMIT, fallback);
}

int PlaceInRange(int stored)
{
    return SaturateToInt(stored, PLACE_LOW, PLACE_HIGH);
}

void DropControlCharacters(wchar_t* name)
{
    wchar_t* kept = name;
    for (; *name; ++name) {
        const wchar_t c = *name;
        if (IsControlCharacter(c) || c == LINE_SEPARATOR || c == PARAGRAPH_SEPARATOR)
            continue;
        *kept++ = c;
    }
    *kept = L'\0';
}
