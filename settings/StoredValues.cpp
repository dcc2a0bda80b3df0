// The range rules of the stored settings.
#include "settings/StoredValues.h"

#include "settings/Languages.h"

#include <math.h>

namespace {

// Ends of the values the Settings dialog's track bars reach.
const float LATITUDE_LIMIT = 90.0f;
const int LAST_DAY = 365;
const int SECONDS_PER_DAY = 86400;
// The ends of a signed 16-bit coordinate.
const int PLACE_LOW = -32768;
const int PLACE_HIGH = 32767;

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

}  // namespace

int KnownLanguageOr(int stored, int fallback)
{
    return FindLanguage(stored) ? stored : fallback;
}

float LatitudeInRange(float stored)
{
    if (!isfinite(stored))
        return DEFAULT_LATITUDE;
    return stored < -LATITUDE_LIMIT ? -LATITUDE_LIMIT : stored > LATITUDE_LIMIT ? LATITUDE_LIMIT : stored;
}

int DayInRange(int stored)
{
    return Clamp(stored, 0, LAST_DAY);
}

int TimeInRange(int stored)
{
    return Clamp(stored, 0, SECONDS_PER_DAY);
}

int PlaceInRange(int stored)
{
    return Clamp(stored, PLACE_LOW, PLACE_HIGH);
}
