// The exact sun, its rise, transit and set against libnova over places and days from 1950 to 2100.
#include "common/Calendar.h"
#include "sun/Ephemeris.h"
#include "sun/LibnovaOracle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

using oracle::AngleBetween;
using oracle::LibnovaApparentSun;

const int SAMPLES = 4000;       // enough to meet every season, hour and latitude
const double TOLERANCE = 0.01;  // degrees between the two directions, as promised

SunInSky LibnovaSunInSky(double julianDay, double latitude, double longitude)
{
    ln_equ_posn apparent;
    LibnovaApparentSun(julianDay, &apparent);
    return oracle::InSky(apparent, julianDay, latitude, longitude);
}

}  // namespace

TEST(EphemerisOracle, SunDirectionAgreesWithLibnova)
{
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> moment(JulianDayFromLocal(1950, 1, 0, 0), JulianDayFromLocal(2101, 1, 0, 0));
    std::uniform_real_distribution<double> latitude(-89.9, 89.9), longitude(-180, 180);
    std::vector<double> angles;
    double worst = -1, worstDay = 0, worstLatitude = 0, worstLongitude = 0;
    for (int i = 0; i < SAMPLES; ++i) {
        double jd = moment(random), lat = latitude(random), lon = longitude(random);
        double angle = AngleBetween(ComputeSunInSky(jd, lat, lon), LibnovaSunInSky(jd, lat, lon));
        angles.push_back(angle);
        if (angle > worst)
            worst = angle, worstDay = jd, worstLatitude = lat, worstLongitude = lon;
    }
    std::sort(angles.begin(), angles.end());
    printf("sun direction against libnova over %d moments 1950-2100: max %.4f, 95%% %.4f, median %.4f degrees; "
           "worst at JD %.4f, latitude %.2f, longitude %.2f\n",
           SAMPLES, worst, angles[angles.size() * 95 / 100], angles[angles.size() / 2], worstDay, worstLatitude,
           worstLongitude);
    EXPECT_LT(worst, TOLERANCE) << "worst at JD " << worstDay << ", latitude " << worstLatitude << ", longitude "
                                << worstLongitude;
}

namespace {

const int RISE_SET_DAYS = 4000;        // seeded places and days
const double RISE_SET_LATITUDE = 65;   // the accuracy holds up to this latitude either side
const double RISE_SET_TOLERANCE = 60;  // seconds, sunrise and sunset
const double NOON_TOLERANCE = 30;      // seconds, the transit

// libnova's rise, transit and set (Julian days), each from a day of UT
// centred on ours (the rise, transit and set in near), so that none sits at
// the edge of libnova's day, where it wraps to another day; false when
// libnova finds the sun up or down all day.
bool LibnovaAround(double latitude, double longitude, ln_rst_time& near)
{
    double ln_rst_time::*events[] = {&ln_rst_time::rise, &ln_rst_time::transit, &ln_rst_time::set};
    ln_rst_time found = near;
    for (double ln_rst_time::*event : events) {
        const oracle::Event e = {LibnovaApparentSun, LN_SOLAR_STANDART_HORIZON, event};
        if (oracle::EventNear(e, near.*event, latitude, longitude, found.*event))
            return false;
    }
    near = found;
    return true;
}

// The largest difference met, and where.
struct Worst
{
    double seconds = 0;
    double latitude = 0, longitude = 0;
    int year = 0, day = 0;
};

void Note(Worst& worst, double seconds, double latitude, double longitude, int year, int day)
{
    if (fabs(seconds) > fabs(worst.seconds))
        worst = {seconds, latitude, longitude, year, day};
}

void Print(const char* what, const Worst& w)
{
    printf("  %-8s worst %+6.1f s at latitude %6.2f, longitude %7.2f, %d day %d\n", what, w.seconds, w.latitude,
           w.longitude, w.year, w.day);
}

}  // namespace

TEST(EphemerisOracle, SunriseNoonAndSunsetAgreeWithLibnova)
{
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> year(1950, 2100), day(1, 365);
    std::uniform_real_distribution<double> latitude(-RISE_SET_LATITUDE, RISE_SET_LATITUDE), longitude(-180, 180);
    Worst rise, noon, set;
    int compared = 0;
    for (int i = 0; i < RISE_SET_DAYS; ++i) {
        const int y = year(random), d = day(random);
        const double lat = latitude(random), lon = longitude(random);
        const int zone = static_cast<int>(lround(lon / 15)) * 60;  // the nearest whole-hour zone
        SunTimes times = ComputeSunTimes(lat, lon, y, d, zone);
        ASSERT_TRUE(times.hasSunrise && times.hasSunset) << "latitude " << lat << ", " << y << " day " << d;
        // Near its zone's meridian the whole day lies within the civil day.
        EXPECT_TRUE(0 < times.sunrise && times.sunrise < times.noon && times.noon < times.sunset &&
                    times.sunset < SECONDS_PER_DAY)
            << "rise " << times.sunrise << ", noon " << times.noon << ", set " << times.sunset << " at latitude " << lat
            << ", longitude " << lon << ", " << y << " day " << d;
        ln_rst_time ours;
        ours.rise = JulianDayFromLocal(y, d, times.sunrise, zone);
        ours.transit = JulianDayFromLocal(y, d, times.noon, zone);
        ours.set = JulianDayFromLocal(y, d, times.sunset, zone);
        ln_rst_time libnova = ours;
        if (!LibnovaAround(lat, lon, libnova)) {
            ADD_FAILURE() << "libnova has no rise and set at latitude " << lat << ", " << y << " day " << d;
            continue;
        }
        ++compared;
        Note(rise, (ours.rise - libnova.rise) * SECONDS_PER_DAY, lat, lon, y, d);
        Note(noon, (ours.transit - libnova.transit) * SECONDS_PER_DAY, lat, lon, y, d);
        Note(set, (ours.set - libnova.set) * SECONDS_PER_DAY, lat, lon, y, d);
    }
    printf("sunrise, noon and sunset against libnova over %d places and days 1950-2100, |latitude| <= %.0f:\n",
           compared, RISE_SET_LATITUDE);
    Print("sunrise", rise);
    Print("noon", noon);
    Print("sunset", set);
    EXPECT_LT(fabs(rise.seconds), RISE_SET_TOLERANCE);
    EXPECT_LT(fabs(noon.seconds), NOON_TOLERANCE);
    EXPECT_LT(fabs(set.seconds), RISE_SET_TOLERANCE);
}

namespace {

const int POLAR_YEAR = 2026;
const double POLAR_LONGITUDE = 15;  // on the meridian of its zone
const int POLAR_ZONE = 60;

SunTimes PolarTimes(double latitude, int day)
{
    return ComputeSunTimes(latitude, POLAR_LONGITUDE, POLAR_YEAR, day, POLAR_ZONE);
}

// Whether the sun rises (side -1) or sets (side +1) on the day of times: 0
// when it does, 1 when it stays up from the lower culmination on that side
// until noon, -1 when it stays down all day.
int Ours(const SunTimes& times, int side)
{
    if (times.dayLength == 0)
        return -1;
    return (side < 0 ? times.hasSunrise : times.hasSunset) ? 0 : 1;
}

// libnova's answer in the same numbers. It judges by the sun of the first
// moment of the day it is given: here the lower culmination on that side of
// our noon.
int Libnova(double latitude, int day, const SunTimes& times, int side)
{
    ln_lnlat_posn observer = {POLAR_LONGITUDE, latitude};
    ln_rst_time rst;
    return ln_get_body_rst_horizon_offset(JulianDayFromLocal(POLAR_YEAR, day, times.noon, POLAR_ZONE) + side * 0.5,
                                          &observer, LibnovaApparentSun, LN_SOLAR_STANDART_HORIZON, &rst, NAN);
}

int Libnova(double latitude, int day, int side)
{
    return Libnova(latitude, day, PolarTimes(latitude, day), side);
}

}  // namespace

TEST(EphemerisOracle, PolarDayAndNightOnLibnovasDays)
{
    struct Case
    {
        double latitude;
        int day, expected;
    };
    const Case cases[] = {
        {70, 172, 1}, {70, 355, -1},  {-70, 172, -1}, {-70, 355, 1},  // the solstices
        {70, 80, 0},  {-70, 266, 0},  {65, 172, 0},   {65, 355, 0},   // equinoxes; a day at 65 degrees
        {89, 100, 1}, {-89, 100, -1},
    };
    for (const Case& c : cases) {
        for (int side : {-1, 1}) {
            EXPECT_EQ(Ours(PolarTimes(c.latitude, c.day), side), c.expected)
                << "latitude " << c.latitude << ", day " << c.day << ", side " << side;
            EXPECT_EQ(Libnova(c.latitude, c.day, side), c.expected)
                << "libnova, latitude " << c.latitude << ", day " << c.day << ", side " << side;
        }
    }
    // Where polar day and night begin and end, the sun grazes the horizon and
    // a hundredth of a degree between the two theories can move the change
    // by a day: a verdict may differ on the day of a change, never a day
    // away from it.
    int verdicts = 0, differing = 0;
    for (double latitude = 66; latitude <= 80; latitude += 2) {
        for (double signedLatitude : {latitude, -latitude}) {
            for (int day = 1; day <= 365; ++day) {
                const SunTimes times = PolarTimes(signedLatitude, day);
                for (int side : {-1, 1}) {
                    ++verdicts;
                    int ours = Ours(times, side), libnova = Libnova(signedLatitude, day, times, side);
                    if (ours == libnova)
                        continue;
                    ++differing;
                    EXPECT_TRUE(ours == Libnova(signedLatitude, day - 1, side) ||
                                ours == Libnova(signedLatitude, day + 1, side))
                        << "latitude " << signedLatitude << ", day " << day << ", side " << side << ": ours " << ours
                        << ", libnova's " << libnova;
                }
            }
        }
    }
    printf("sunrise and sunset or none at latitudes 66-80 either side, every day of %d: %d of %d verdicts differ "
           "from libnova's, each on the day of a change\n",
           POLAR_YEAR, differing, verdicts);
}

namespace {

const int DATE_LINE_YEAR = 2026;

}  // namespace

// Places whose zone's meridian lies across the date line or far from their
// own: the rise, transit and set of the zone's own day, which libnova finds
// around 6:00, 12:00 and 18:00 of that day.
TEST(EphemerisOracle, PlacesFarFromTheirZonesMeridianKeepItsDay)
{
    const struct
    {
        const char* place;
        double latitude, longitude;
        int zoneMinutes, day;
    } rows[] = {
        {"Nuku'alofa, UTC+13", -21.14, -175.2, 13 * 60, 172},
        {"Apia, UTC+13", -13.83, -171.77, 13 * 60, 355},
        {"Kiritimati, UTC+14", 1.87, -157.4, 14 * 60, 80},
        {"the date line at -180, UTC+12", -17, -180, 12 * 60, 355},
        {"the date line at 180, UTC+12", -17, 180, 12 * 60, 355},
        {"the date line at 180, UTC-11", 51.9, 180, -11 * 60, 172},
    };
    for (const auto& row : rows) {
        const SunTimes ours = ComputeSunTimes(row.latitude, row.longitude, DATE_LINE_YEAR, row.day, row.zoneMinutes);
        ln_rst_time libnova;
        libnova.rise = JulianDayFromLocal(DATE_LINE_YEAR, row.day, 6 * SECONDS_PER_HOUR, row.zoneMinutes);
        libnova.transit = JulianDayFromLocal(DATE_LINE_YEAR, row.day, 12 * SECONDS_PER_HOUR, row.zoneMinutes);
        libnova.set = JulianDayFromLocal(DATE_LINE_YEAR, row.day, 18 * SECONDS_PER_HOUR, row.zoneMinutes);
        ASSERT_TRUE(LibnovaAround(row.latitude, row.longitude, libnova)) << row.place;
        const double local = JulianDayFromLocal(DATE_LINE_YEAR, row.day, 0, row.zoneMinutes);
        const double expected[] = {(libnova.rise - local) * SECONDS_PER_DAY,
                                   (libnova.transit - local) * SECONDS_PER_DAY,
                                   (libnova.set - local) * SECONDS_PER_DAY};
        EXPECT_NEAR(ours.sunrise, expected[0], RISE_SET_TOLERANCE) << row.place;
        EXPECT_NEAR(ours.noon, expected[1], NOON_TOLERANCE) << row.place;
        EXPECT_NEAR(ours.sunset, expected[2], RISE_SET_TOLERANCE) << row.place;
    }
}
