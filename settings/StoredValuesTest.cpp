// Unit tests of the range rules of the stored settings.
#include "settings/StoredValues.h"

#include "text/NumberFormat.h"
#include "text/Languages.h"

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

// Stands for a window place that is missing (the host centres the gadget).
const int PLACE_MISSING = INT_MIN + 1;

// The value a setting takes from its stored text, as the gadget reads it:
// a text that is not wholly a number is missing and gives the default.
double Used(Setting setting, const char* stored)
{
    float angle = NAN;
    int number = setting == LANGUAGE ? SYSTEM_LANGUAGE : setting == PLACE ? PLACE_MISSING : 0;
    if (setting == LATITUDE || setting == LONGITUDE)
        ReadStoredFloat(stored, &angle);
    else
        ReadStoredInt(stored, &number);
    switch (setting) {
    case LANGUAGE: return KnownLanguageOr(number, SYSTEM_LANGUAGE);
    case LATITUDE: return LatitudeInRange(angle);
    case DAY: return DayInRange(number);
    case TIME: return TimeInRange(number);
    case LONGITUDE: return LongitudeInRange(angle, ZONE_LONGITUDE);
    case ZONE_BIAS: return ZoneMeridian(number);
    case PLACE: return number == PLACE_MISSING ? number : PlaceInRange(number);
    }
    return 0;
}

}  // namespace

TEST(StoredValues, AreBroughtIntoTheRangeTheDialogShows)
{
    const struct
    {
        Setting setting;
        const char* stored;
        double used;
    } cases[] = {
        {LANGUAGE, "0", LANGUAGE_ENGLISH},
        {LANGUAGE, "4096", LANGUAGE_SLOVENIAN},
        {LANGUAGE, "1", SYSTEM_LANGUAGE},
        {LANGUAGE, "4095", SYSTEM_LANGUAGE},
        {LANGUAGE, "-1", SYSTEM_LANGUAGE},
        {LANGUAGE, "4096x", SYSTEM_LANGUAGE},
        {LATITUDE, "46.499999", 46.499999f},
        {LATITUDE, "46,05", 46.05f},
        {LATITUDE, "-90", -90},
        {LATITUDE, "99999999999", 90},
        {LATITUDE, "-2147483649", -90},
        {LATITUDE, "1e30", DEFAULT_LATITUDE},
        {LATITUDE, "inf", DEFAULT_LATITUDE},
        {LATITUDE, "nan", DEFAULT_LATITUDE},
        {LATITUDE, "", DEFAULT_LATITUDE},
        {DAY, "172", 172},
        {DAY, "365", 365},
        {DAY, "-1", 0},
        {DAY, "99999999999", 365},
        {DAY, "172.5", 0},
        {TIME, "86400", 86400},
        {TIME, "-99999999999", 0},
        {LONGITUDE, "14.5", 14.5},
        {LONGITUDE, "-180", -180},
        {LONGITUDE, "181", 180},
        {LONGITUDE, "nan", ZONE_LONGITUDE},
        {LONGITUDE, "-inf", ZONE_LONGITUDE},
        {LONGITUDE, "14.51 E", ZONE_LONGITUDE},
        // The bias is minutes behind UTC: a zone east of Greenwich has a
        // negative one.
        {ZONE_BIAS, "-60", 15},
        {ZONE_BIAS, "300", -75},
        {ZONE_BIAS, "-330", 82.5},
        {ZONE_BIAS, "-720", 180},
        {ZONE_BIAS, "-780", -165},
        {ZONE_BIAS, "720", -180},
        {PLACE, "-3000", -3000},
        {PLACE, "99999999999", 32767},
        {PLACE, "-2147483648", -32768},
        {PLACE, "abc", PLACE_MISSING},
        {PLACE, "12 34", PLACE_MISSING},
    };
    for (const auto& c : cases) {
        double used = Used(c.setting, c.stored);
        EXPECT_EQ(used, c.used) << SETTING_NAMES[c.setting] << " stored \"" << c.stored << "\" used as " << used;
        if (c.setting != LATITUDE && c.setting != LONGITUDE)
            continue;
        // An angle is written back as decimal text: it must read the same.
        char text[FORMAT_DECIMAL_MAX];
        FormatDecimal(static_cast<float>(used), 6, '.', text);
        float back = NAN;
        EXPECT_TRUE(ReadStoredFloat(text, &back) && back == static_cast<float>(used))
            << SETTING_NAMES[c.setting] << " " << used << " written as " << text;
    }
}
