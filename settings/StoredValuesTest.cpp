// Unit tests of the range rules of the stored settings.
#include "settings/StoredValues.h"

#include "settings/NumberFormat.h"
#include "settings/Languages.h"

#include <gtest/gtest.h>

#include <limits.h>
#include <math.h>

namespace {

enum Setting
{
    LANGUAGE,
    LATITUDE,
    DAY,
    TIME,
    LONGITUDE,
    ZONE_BIAS,
    PLACE
};
const char* const SETTING_NAMES[] = {"Language",           "GeoLatitude",  "SimulatedDayOfYear",
                                     "SimulatedTimeOfDay", "GeoLongitude", "GeoLongitude of the zone bias",
                                     "WindowLeft"};
// Stands for the system language: neither of the known offsets.
const int SYSTEM_LANGUAGE = -7;
// Stands for the longitude of the zone's meridian: no stored value gives it.
const float ZONE_LONGITUDE = 77.25f;

double Used(Setting setting, double stored)
{
    switch (setting) {
    case LANGUAGE: return KnownLanguageOr(static_cast<int>(stored), SYSTEM_LANGUAGE);
    case LATITUDE: return LatitudeInRange(static_cast<float>(stored));
    case DAY: return DayInRange(static_cast<int>(stored));
    case TIME: return TimeInRange(static_cast<int>(stored));
    case LONGITUDE: return LongitudeInRange(static_cast<float>(stored), ZONE_LONGITUDE);
    case ZONE_BIAS: return ZoneMeridian(static_cast<int>(stored));
    case PLACE: return PlaceInRange(static_cast<int>(stored));
    }
    return 0;
}

}  // namespace

TEST(StoredValues, AreBroughtIntoTheRangeTheDialogShows)
{
    const struct
    {
        Setting setting;
        double stored, used;
    } cases[] = {
        {LANGUAGE, LANGUAGE_ENGLISH, LANGUAGE_ENGLISH},
        {LANGUAGE, LANGUAGE_SLOVENIAN, LANGUAGE_SLOVENIAN},
        {LANGUAGE, 1, SYSTEM_LANGUAGE},
        {LANGUAGE, 4095, SYSTEM_LANGUAGE},
        {LANGUAGE, 8192, SYSTEM_LANGUAGE},
        {LANGUAGE, -1, SYSTEM_LANGUAGE},
        {LATITUDE, 46.5, 46.5},
        {LATITUDE, -90, -90},
        {LATITUDE, 1e30, 90},
        {LATITUDE, 99999999999.0, 90},
        {LATITUDE, -2147483649.0, -90},
        {LATITUDE, INFINITY, DEFAULT_LATITUDE},
        {LATITUDE, -INFINITY, DEFAULT_LATITUDE},
        {LATITUDE, NAN, DEFAULT_LATITUDE},
        {DAY, 172, 172},
        {DAY, 365, 365},
        {DAY, -1, 0},
        {DAY, INT_MAX, 365},
        {TIME, 86400, 86400},
        {TIME, INT_MAX, 86400},
        {TIME, INT_MIN, 0},
        {LONGITUDE, 14.5, 14.5},
        {LONGITUDE, -180, -180},
        {LONGITUDE, 181, 180},
        {LONGITUDE, -1e30, -180},
        {LONGITUDE, NAN, ZONE_LONGITUDE},
        {LONGITUDE, INFINITY, ZONE_LONGITUDE},
        // The bias is minutes behind UTC: a zone east of Greenwich has a
        // negative one.
        {ZONE_BIAS, -60, 15},
        {ZONE_BIAS, 300, -75},
        {ZONE_BIAS, -330, 82.5},
        {ZONE_BIAS, -840, 180},
        {PLACE, -3000, -3000},
        {PLACE, INT_MAX, 32767},
        {PLACE, INT_MIN, -32768},
    };
    for (const auto& c : cases) {
        double used = Used(c.setting, c.stored);
        EXPECT_EQ(used, c.used) << SETTING_NAMES[c.setting] << " stored " << c.stored << " used as " << used;
        if (c.setting != LATITUDE && c.setting != LONGITUDE)
            continue;
        // An angle is written back as decimal text: it must read the same.
        char text[FORMAT_DECIMAL_MAX];
        FormatDecimal(static_cast<float>(used), 6, false, false, '.', text);
        EXPECT_EQ(ParseDecimal(text, 0), static_cast<float>(used))
            << SETTING_NAMES[c.setting] << " " << used << " written as " << text;
    }
}
