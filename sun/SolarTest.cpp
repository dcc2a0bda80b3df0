// Tests of the sun model.
#include "sun/Solar.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

double AltitudeDegrees(double latitude, int t)
{
    return asin(ComputeShadow(latitude, GNOMON_LENGTH_BIG, t).sinAltitude) * RAD_TO_DEG;
}

// Highest altitude of the sun on one simulated day, sampled each minute.
double NoonAltitude(double latitude, int day)
{
    double best = -90;
    for (int minute = 10 * 60; minute <= 14 * 60; ++minute)
        best = std::max(best, AltitudeDegrees(latitude, SimulatedMoment(day, minute * 60)));
    return best;
}

// Minute of the day at which the shadow crosses the noon line (u changes sign).
double NoonCrossingMinute(double latitude, int day)
{
    double previous = ComputeShadow(latitude, GNOMON_LENGTH_BIG, SimulatedMoment(day, 11 * 3600)).u;
    for (int second = 11 * 3600 + 1; second < 13 * 3600; ++second) {
        double u = ComputeShadow(latitude, GNOMON_LENGTH_BIG, SimulatedMoment(day, second)).u;
        if ((u > 0) != (previous > 0))
            return second / 60.0;
        previous = u;
    }
    return -1;
}

double ScreenAngle(double sx, double sy)
{
    return atan2(-sx, sy) * RAD_TO_DEG;
}

}  // namespace

TEST(RotateAboutAxis, TurnsRightHandedAndKeepsLength)
{
    double x = 1, y = 0, z = 0;
    RotateAboutAxis(0, 0, 1, 90, x, y, z);
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_NEAR(y, 1, 1e-9);
    EXPECT_NEAR(z, 0, 1e-9);
    x = 0.3, y = -0.4, z = 1.2;
    RotateAboutAxis(0.6, 0, 0.8, 37, x, y, z);
    EXPECT_NEAR(x * x + y * y + z * z, 0.09 + 0.16 + 1.44, 1e-12);
}

TEST(SunModel, NoonAltitudesFollowTheSeasonsAtLatitude45)
{
    EXPECT_NEAR(NoonAltitude(45, 172), 68.5, 0.5);
    EXPECT_NEAR(NoonAltitude(45, 80), 45.0, 0.7);
    EXPECT_NEAR(NoonAltitude(45, 355), 21.5, 0.5);
}

TEST(SunModel, SummerNoonShadowLiesOnTheNoonLineBelowTheFoot)
{
    Shadow s = ComputeShadow(45, GNOMON_LENGTH_BIG, SimulatedMoment(172, 12 * 3600));
    EXPECT_TRUE(s.isDay);
    EXPECT_NEAR(s.v, -123, 3);
    EXPECT_LT(std::fabs(s.u), 10);
    EXPECT_GT(s.brightness, 0.9);
    EXPECT_LE(s.brightness, 1.0);
    EXPECT_FALSE(ComputeShadow(45, GNOMON_LENGTH_BIG, SimulatedMoment(172, 0)).isDay);
}

TEST(SunModel, DaylightDimmingFollowsTheSunsAltitude)
{
    // Sine of the altitude and the daylight factor: a steep rise just over
    // the horizon, then almost flat.
    const double table[][2] = {{0.001, 0.20243}, {0.01, 0.48897}, {0.1, 0.89754}, {0.5, 0.98725}, {1, 1}};
    for (const auto& row : table) {
        const double a = row[0];
        // On the equator the sun's vector (0, sin, -cos) stands at that altitude.
        double got = ShadowFromSunVector(0, GNOMON_LENGTH_BIG, {0, a, -sqrt(1 - a * a)}).brightness;
        EXPECT_NEAR(got, row[1], 1e-5) << "sine of the altitude " << a << ": got " << got;
    }
}

TEST(SunModel, EquationOfTimeComesOutOfTheModel)
{
    // Minutes of local standard time at which the shadow meets the noon line.
    EXPECT_NEAR(NoonCrossingMinute(45, 1), 11 * 60 + 56, 1.5);
    EXPECT_NEAR(NoonCrossingMinute(45, 80), 11 * 60 + 59, 1.5);
    EXPECT_NEAR(NoonCrossingMinute(45, 172), 11 * 60 + 52, 1.5);
    EXPECT_NEAR(NoonCrossingMinute(45, 266), 11 * 60 + 43, 1.5);
}

TEST(SunModel, SouthernShadowFollowsTheMirroredHourLines)
{
    const int day = 355;
    for (int hour : {8, 10, 14, 16}) {
        // The equation of time of that day shifts the shadow by some minutes.
        Shadow s = ComputeShadow(-35, GNOMON_LENGTH_BIG, SimulatedMoment(day, hour * 3600));
        ASSERT_TRUE(s.isDay) << hour;
        double sx, sy;
        HourLineDirection(hour, -35, sx, sy);
        double shadowAngle = atan2(-s.u, -s.v) * RAD_TO_DEG;
        EXPECT_NEAR(shadowAngle, ScreenAngle(sx, sy), 4.5) << hour;
    }
    Shadow noon = ComputeShadow(-35, GNOMON_LENGTH_BIG, SimulatedMoment(day, 12 * 3600));
    EXPECT_LT(noon.v, 0);
}

TEST(HourLines, AreMirrorSymmetricAboutNoonAndBetweenHemispheres)
{
    for (double x = 0.5; x <= 8; x += 0.5) {
        double ax, ay, bx, by, cx, cy;
        HourLineDirection(12 + x, 50, ax, ay);
        HourLineDirection(12 - x, 50, bx, by);
        HourLineDirection(12 + x, -50, cx, cy);
        EXPECT_NEAR(ax, -bx, 1e-12);
        EXPECT_NEAR(ay, by, 1e-12);
        EXPECT_NEAR(ax, -cx, 1e-12);
        EXPECT_NEAR(ay, cy, 1e-12);
        EXPECT_NEAR(ax * ax + ay * ay, 1, 1e-12);
    }
    double sx, sy;
    HourLineDirection(12, 45, sx, sy);
    EXPECT_NEAR(sx, 0, 1e-12);
    EXPECT_NEAR(sy, 1, 1e-12);
    HourLineDirection(9, 45, sx, sy);
    EXPECT_GT(sx, 0);  // morning lines lie to the right in the north
    HourLineDirection(6, 0, sx, sy);
    EXPECT_FALSE(std::isnan(sx) || std::isnan(sy));
}

TEST(HourLines, SectorAngleIsTheAngleBetweenNeighbouringHalfHours)
{
    for (double h : {7.0, 9.0, 12.0, 15.0}) {
        double ax, ay, bx, by;
        HourLineDirection(h - 0.5, 45, ax, ay);
        HourLineDirection(h + 0.5, 45, bx, by);
        double between = acos(ax * bx + ay * by);
        EXPECT_NEAR(HourSectorAngle(h, 45), between, 2e-3) << h;
    }
}

TEST(DialMoment, RealClockCountsTheUtcDayAndAppliesTheBiasAfterwards)
{
    // 23:59:59.999 UTC on 31 December of a leap year: day 366, no rounding up.
    ClockReading lastSecond = {2024, 12, 31, 23, 59, 59, 999, 0};
    EXPECT_EQ(MomentFromClock(lastSecond), 366 * 86400 + 86399);
    // 00:30 local on 1 January one hour east of Greenwich is still 31 December
    // in UTC; the seconds run past the day instead of wrapping to day 1.
    ClockReading newYear = {2025, 12, 31, 23, 30, 0, 0, -60};
    EXPECT_EQ(MomentFromClock(newYear), 365 * 86400 + 23 * 3600 + 30 * 60 + 3600);
    ClockReading march = {2023, 3, 1, 12, 0, 0, 0, 300};
    EXPECT_EQ(MomentFromClock(march), (31 + 28 + 1) * 86400 + 12 * 3600 - 300 * 60);
}

TEST(DialMoment, SimulatedMomentNeverOverflows)
{
    const ClockReading clock = {2024, 12, 31, 23, 59, 59, 999, 0};
    // Settings' day 172 is 22 June, the moment's day 173.
    EXPECT_EQ(ComputeDialMoment(true, 172, 43200, clock), 173 * 86400 + 43200);
    EXPECT_EQ(ComputeDialMoment(true, 0, 0, clock), 86400) << "Settings' day 0 is 1 January";
    EXPECT_EQ(ComputeDialMoment(false, 172, 43200, clock), 366 * 86400 + 86399) << "the reading given, not the clock";
    for (int day = 0; day <= 366; ++day)
        EXPECT_EQ(SimulatedMoment(day, 86400), day * 86400 + 86400);
    EXPECT_EQ(SimulatedMoment(INT_MAX, 0), INT_MAX);
    EXPECT_EQ(SimulatedMoment(INT_MIN, -1), INT_MIN);
    EXPECT_EQ(SimulatedMoment(99999, 0), INT_MAX);
    Shadow s = ComputeShadow(1e30, GNOMON_LENGTH_SMALL, SimulatedMoment(99999, -1));
    (void)s;  // absurd inputs give some picture, never a fault
}
