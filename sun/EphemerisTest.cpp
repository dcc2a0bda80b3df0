// Unit tests of the exact sun: published figures, apparent noon, and the shadow's frame.
#include "sun/Ephemeris.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const double DEGREES_PER_RADIAN = 180 / 3.14159265358979323846;

struct Figure
{
    const char* what;
    int year, day, seconds;  // UT
    double ApparentSun::*field;
    double expected, tolerance;
};

// Seconds of local standard time at which the present model's shadow crosses
// the noon line (u changes sign from positive to negative).
double ModelNoonSeconds(int day)
{
    int morning = 11 * 3600, afternoon = 13 * 3600;
    while (afternoon - morning > 1) {
        int middle = (morning + afternoon) / 2;
        if (ComputeShadow(45, GNOMON_LENGTH_BIG, SimulatedMoment(day, middle)).u > 0)
            morning = middle;
        else
            afternoon = middle;
    }
    return afternoon;
}

double Percentile95(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() * 95 / 100];
}

// Angles between the shadow directions of the two models, every 10 minutes
// of 2026 while both put the sun up.
std::vector<double> ShadowDirectionDifferences(double latitude, double longitude, int zoneMinutes)
{
    std::vector<double> differences;
    for (int day = 1; day <= 365; ++day) {
        for (int seconds = 0; seconds < 86400; seconds += 600) {
            Shadow model = ComputeShadow(latitude, GNOMON_LENGTH_BIG, SimulatedMoment(day, seconds));
            Shadow exact = ComputeExactShadow(latitude, longitude, GNOMON_LENGTH_BIG,
                                              JulianDayFromLocal(2026, day, seconds, zoneMinutes));
            if (model.isDay && exact.isDay) {
                double turn = atan2(model.u, model.v) - atan2(exact.u, exact.v);
                differences.push_back(fabs(remainder(turn * DEGREES_PER_RADIAN, 360)));
            }
        }
    }
    return differences;
}

}  // namespace

TEST(Ephemeris, JulianDayCountsLeapYearsTheZoneAndTheDialsDays)
{
    EXPECT_EQ(JulianDayFromLocal(2000, 1, 12 * 3600, 0), 2451545.0);
    EXPECT_EQ(JulianDayFromLocal(1900, 1, 0, 0), 2415020.5);        // 1900 is no leap year
    EXPECT_EQ(JulianDayFromLocal(2024, 366, 86400, 0), 2460676.5);  // 2024 is
    EXPECT_EQ(JulianDayFromLocal(2025, 1, 3600, 60), 2460676.5);
    // The dial's moment: 15 February 2026, 12:00 at UTC+1.
    const SunSource madrid = {true, -3.7, 2026, 60};
    const int t = SimulatedMoment(46, 12 * 3600);
    EXPECT_NEAR(JulianDayOfMoment(madrid, t), 2461086.5 + 11 / 24.0, 1e-6);
    const Shadow dial = ComputeDialShadow(madrid, 40.4, GNOMON_LENGTH_BIG, t);
    const Shadow sky = ComputeExactShadow(40.4, -3.7, GNOMON_LENGTH_BIG, JulianDayFromLocal(2026, 46, 12 * 3600, 60));
    EXPECT_TRUE(dial.u == sky.u && dial.v == sky.v)
        << "dial (" << dial.u << ", " << dial.v << "), ephemeris (" << sky.u << ", " << sky.v << ")";
}

TEST(Ephemeris, ReproducesPublishedFigures)
{
    double ApparentSun::*ra = &ApparentSun::rightAscension;
    double ApparentSun::*dec = &ApparentSun::declination;
    double ApparentSun::*eot = &ApparentSun::equationOfTime;
    double ApparentSun::*gast = &ApparentSun::siderealTime;
    double ApparentSun::*longitude = &ApparentSun::longitude;
    double ApparentSun::*distance = &ApparentSun::distance;
    const Figure figures[] = {
        // The standard text on astronomical algorithms: the worked example for
        // solar coordinates at 1992 October 13.0 TD (right ascension
        // 13h13m31.4s, declination -7 deg 47'06"), and the worked example for
        // the equation of time at the same instant (13m42.6s).
        {"1992-10-13 right ascension", 1992, 287, 0, ra, 198.38083, 0.01},
        {"1992-10-13 declination", 1992, 287, 0, dec, -7.78507, 0.01},
        {"1992-10-13 equation of time", 1992, 287, 0, eot, 13.710, 0.05},
        // The same example's apparent longitude and distance of the sun.
        {"1992-10-13 apparent longitude", 1992, 287, 0, longitude, 199.90895, 0.001},
        {"1992-10-13 distance", 1992, 287, 0, distance, 0.99766, 0.00001},
        // Its worked example for sidereal time: 1987 April 10, 0h UT, apparent
        // 13h10m46.1351s, which the equation of the equinoxes puts 0.2317 s
        // (0.001 degree) before the mean one.
        {"1987-04-10 apparent sidereal time", 1987, 100, 0, gast, 197.6922296, 0.0003},
        // Published times of the equinoxes and solstices (UT, to the minute);
        // at a solstice the declination is the obliquity of that date.
        {"2000 March equinox", 2000, 80, 7 * 3600 + 35 * 60, dec, 0, 0.01},
        {"2000 June solstice", 2000, 173, 1 * 3600 + 48 * 60, dec, 23.4393, 0.01},
        {"2000 December solstice", 2000, 356, 13 * 3600 + 37 * 60, dec, -23.4393, 0.01},
        {"2024 March equinox", 2024, 80, 3 * 3600 + 6 * 60, dec, 0, 0.01},
        {"2024 June solstice", 2024, 172, 20 * 3600 + 51 * 60, dec, 23.4362, 0.01},
        {"2024 September equinox", 2024, 266, 12 * 3600 + 44 * 60, dec, 0, 0.01},
        {"2025 December solstice", 2025, 355, 15 * 3600 + 3 * 60, dec, -23.4359, 0.01},
        // In 1950 and 2100 the June solstice falls on 21 June; all that day the
        // declination stays within 0.003 degree of the obliquity.
        {"1950 June solstice", 1950, 172, 12 * 3600, dec, 23.4457, 0.01},
        {"2100 June solstice", 2100, 172, 12 * 3600, dec, 23.4262, 0.01},
    };
    for (const Figure& f : figures) {
        double got = ComputeApparentSun(JulianDayFromLocal(f.year, f.day, f.seconds, 0)).*(f.field);
        EXPECT_NEAR(got, f.expected, f.tolerance) << f.what << ": got " << got;
    }
}

TEST(Ephemeris, NoonTableHasItsExtremesInNovemberAndFebruary)
{
    int earliestDay = 0, latestDay = 0;
    double earliest = 86400, latest = 0;
    for (int day = 1; day <= 365; ++day) {
        double noon = ApparentNoonSeconds(2026, day, 15, 60);
        if (noon < earliest)
            earliest = noon, earliestDay = day;
        if (noon > latest)
            latest = noon, latestDay = day;
    }
    EXPECT_TRUE(earliestDay >= 305 && earliestDay <= 310) << "earliest noon on day " << earliestDay;
    EXPECT_TRUE(latestDay >= 40 && latestDay <= 46) << "latest noon on day " << latestDay;
    EXPECT_NEAR((latest - earliest) / 60, 30.6, 0.5) << "spread in minutes";
}

TEST(Ephemeris, NoonComesAfterTheModelsAndAnHourLaterFifteenDegreesWest)
{
    for (int day = 1; day <= 365; day += 7) {
        double exact = ApparentNoonSeconds(2026, day, 15, 60);
        double late = (exact - ModelNoonSeconds(day)) / 60;
        // The gap grows through the model's year, to just over 12 minutes on
        // 31 December.
        EXPECT_TRUE(late >= 7 && late <= 12.5) << "day " << day << ": exact noon " << late << " min after the model's";
        double west = ApparentNoonSeconds(2026, day, 0, 60);
        EXPECT_NEAR(west - exact, 3600, 2) << "day " << day;
    }
}

TEST(Ephemeris, ExactShadowLiesInTheModelsFrame)
{
    struct Place
    {
        const char* name;
        double latitude, longitude;
        int zoneMinutes;
        double largest;  // the most the models may differ, degrees
    };
    const Place places[] = {
        {"46 N on the zone meridian", 46.05, 15, 60, 10},
        {"35 S on the zone meridian", -35, 150, 600, 10},
        {"40 N, 18.7 degrees west of the zone meridian", 40.4, -3.7, 60, 50},
    };
    for (const Place& p : places) {
        std::vector<double> d = ShadowDirectionDifferences(p.latitude, p.longitude, p.zoneMinutes);
        double largest = d.empty() ? 0 : *std::max_element(d.begin(), d.end());
        printf("shadow direction, present model against exact, %s: max %.2f, 95%% %.2f degrees\n", p.name, largest,
               Percentile95(d));
        EXPECT_GT(d.size(), 365u * 50) << p.name;
        EXPECT_LT(largest, p.largest) << p.name;
    }
}

TEST(Ephemeris, RefractionLiftsTheLowSun)
{
    // Saemundsson's refraction in arcminutes at true altitudes.
    const double table[][2] = {{-3, 0}, {-0.57, 34.4}, {0, 29.0}, {5, 9.7}, {10, 5.4}, {45, 1.0}, {90, 0}};
    for (const auto& row : table)
        EXPECT_NEAR(RefractionDegrees(row[0]) * 60, row[1], 0.1) << "at " << row[0] << " degrees";

    // Midsummer morning at 46.05 N, 14.51 E (UTC+1): the dial's day begins
    // when the true sun is still 0.57 degrees below the horizon, and the
    // shadow is cast by the sun as it is seen.
    int sunrise = -1;
    for (int seconds = 3 * 3600; seconds < 6 * 3600 && sunrise < 0; seconds += 5)
        if (ComputeExactShadow(46.05, 14.51, GNOMON_LENGTH_BIG, JulianDayFromLocal(2026, 172, seconds, 60)).isDay)
            sunrise = seconds;
    ASSERT_GT(sunrise, 0);
    const double at = JulianDayFromLocal(2026, 172, sunrise, 60);
    const double trueAltitude = ComputeSunInSky(at, 46.05, 14.51).altitude;
    EXPECT_NEAR(trueAltitude, -0.57, 0.01) << "day begins at " << sunrise / 60.0 << " min";
    const double seen = asin(ComputeExactShadow(46.05, 14.51, GNOMON_LENGTH_BIG, at).sinAltitude) * DEGREES_PER_RADIAN;
    EXPECT_NEAR(seen - trueAltitude, RefractionDegrees(trueAltitude), 1e-6);
}

// The night between two days that both see the sun at noon is one night:
// the first day's sunset and the second day's sunrise say alike whether the
// sun goes down in it. So polar day begins on a day the sun still rises but
// no longer sets, and ends on one it no longer rises but sets again.
TEST(Ephemeris, ADaysSunsetAndTheNextDaysSunriseTellOfOneNight)
{
    for (double latitude : {67.0, 70.0, 75.0, 80.0, -67.0, -70.0, -75.0, -80.0}) {
        int polarDayStarts = 0;
        SunTimes evening = ComputeSunTimes(latitude, 15, 2026, 1, 60);
        for (int day = 2; day <= 365; ++day) {
            const SunTimes morning = ComputeSunTimes(latitude, 15, 2026, day, 60);
            if (evening.dayLength > 0 && morning.dayLength > 0) {
                EXPECT_EQ(evening.hasSunset, morning.hasSunrise)
                    << "latitude " << latitude << ": sunset on day " << day - 1 << " " << evening.hasSunset
                    << ", sunrise on day " << day << " " << morning.hasSunrise;
                polarDayStarts += evening.hasSunset && !morning.hasSunset;
            }
            evening = morning;
        }
        EXPECT_EQ(polarDayStarts, 1) << "latitude " << latitude;
    }
}
