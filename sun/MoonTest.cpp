// Unit tests of the moon: the published worked example, the phase names, the shadow's direction.
#include "sun/Moon.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double RAD = 3.14159265358979323846 / 180;

}  // namespace

// The worked example of the lunar theory's chapter: 1992 April 12, 0h TD.
// Every term of the tables counts at this precision: the smallest moves the
// longitude by 0.0001 degree.
TEST(Moon, ReproducesThePublishedExample)
{
    const GeocentricMoon moon = ComputeGeocentricMoon(2448724.5);
    EXPECT_NEAR(moon.longitude, 133.162655, 2e-6) << "got " << moon.longitude;
    EXPECT_NEAR(moon.latitude, -3.229126, 2e-6) << "got " << moon.latitude;
    EXPECT_NEAR(moon.distance, 368409.7, 0.1) << "got " << moon.distance;
}

TEST(Moon, NamesThePrincipalPhasesForADayAndTheRestBetween)
{
    // The moon gains 12.19 degrees a day on the sun: a principal phase holds
    // 6.09 degrees either side of its elongation.
    const struct
    {
        double elongation;
        MoonPhase phase;
    } rows[] = {
        {0, NEW_MOON},       {6, NEW_MOON},       {6.2, WAXING_CRESCENT},   {83.9, WAXING_CRESCENT},
        {84, FIRST_QUARTER}, {96, FIRST_QUARTER}, {96.2, WAXING_GIBBOUS},   {173.8, WAXING_GIBBOUS},
        {174, FULL_MOON},    {186, FULL_MOON},    {186.2, WANING_GIBBOUS},  {263.8, WANING_GIBBOUS},
        {264, LAST_QUARTER}, {276, LAST_QUARTER}, {276.2, WANING_CRESCENT}, {353.8, WANING_CRESCENT},
        {354, NEW_MOON},     {359.99, NEW_MOON},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PhaseOfElongation(row.elongation), row.phase) << "at " << row.elongation << " degrees";
}

// The shadow of the gnomon's tip lies away from the moon: from the point of
// the dial below the tip, R cos(latitude) down the screen from the foot, it
// runs R sin(latitude) / tan(altitude) toward the azimuth opposite the
// moon's, with west to the right and south up the screen.
TEST(Moon, ShadowLiesOppositeTheMoonsAzimuth)
{
    const struct
    {
        const char* what;
        double latitude, longitude;
        int zoneMinutes, day, seconds;
    } rows[] = {
        {"Ljubljana, full moon in the east-south-east", 46.05, 14.51, 60, 3, 22 * 3600},
        {"Ljubljana, the morning's moon in the west", 46.05, 14.51, 60, 4, 6 * 3600},
        {"Sydney, the moon in the north-north-east", -33.87, 151.21, 600, 3, 22 * 3600},
        {"Sydney, a low moon in the north-west", -33.87, 151.21, 600, 4, 4 * 3600},
        {"Quito, half a moon high in the east", -0.18, -78.47, -300, 10, 3 * 3600},
        {"Tromso, a low moon of the polar night", 69.65, 18.96, 60, 355, 12 * 3600},
    };
    for (const auto& row : rows) {
        const double jd = JulianDayFromLocal(2026, row.day, row.seconds, row.zoneMinutes);
        const MoonInSky moon = ComputeMoonInSky(jd, row.latitude, row.longitude);
        const Shadow shadow = ComputeMoonShadow(row.latitude, row.longitude, GNOMON_LENGTH_BIG, jd);
        ASSERT_TRUE(shadow.isDay) << row.what << ": the moon at " << moon.altitude;
        const double length = GNOMON_LENGTH_BIG * sin(row.latitude * RAD) / tan(moon.altitude * RAD);
        const double u = length * sin(moon.azimuth * RAD);
        const double v = -GNOMON_LENGTH_BIG * cos(row.latitude * RAD) + length * cos(moon.azimuth * RAD);
        EXPECT_NEAR(shadow.u, u, 1e-6) << row.what << ": v " << shadow.v << " for " << v;
        EXPECT_NEAR(shadow.v, v, 1e-6) << row.what << ": u " << shadow.u << " for " << u;
    }
}
