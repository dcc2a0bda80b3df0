// Tests that the shadow's tip runs along the date lines and the clock hours' figure-eights as they are drawn.
#include "sun/DialCurves.h"

#include "common/Calendar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double HALF_SIDE = 225;          // the big dial at the natural size
const double REACH = HALF_SIDE * 1.5;  // beyond the corners
const double ON_THE_LINE = 0.25;       // pixels
const double LATITUDES[] = {-60, -45, -30, -15, 0, 15, 30, 46, 60, 66};
const SunSource MODEL = {false, 0, 2026, 60};
// A place far off its zone's meridian, in a leap year.
const SunSource EXACT = {true, 21.5, 2028, 60};
const SunSource* const SOURCES[] = {&MODEL, &EXACT};

double DistanceToCurve(const DialPoint& p, const DialCurve& curve)
{
    double best = INFINITY;
    for (const std::vector<DialPoint>& run : curve) {
        for (size_t i = 0; i < run.size(); ++i)
            best = std::fmin(best, DistanceToSegment(p, run[i], run[i + 1 < run.size() ? i + 1 : i]));
    }
    return best;
}

// The sun's declination at dial moment t, of the same sun as the shadow.
double Declination(const SunSource& sun, int t)
{
    if (sun.exact)
        return ComputeApparentSun(JulianDayOfMoment(sun, t)).declination;
    const Vector3 s = ComputeSunVector(t);
    return std::asin(-s.z / std::sqrt(Dot(s, s))) * RAD_TO_DEG;
}

bool OnTheDial(const Shadow& shadow)
{
    return shadow.isDay && std::fabs(shadow.u) <= HALF_SIDE && std::fabs(shadow.v) <= HALF_SIDE;
}

// The tip, if it is on the dial at moment t, lies on the curve; counts the moments checked.
void ExpectOnCurve(const SunSource& sun, double latitude, int t, const DialCurve& curve, int& checked)
{
    const Shadow tip = ComputeDialShadow(sun, latitude, GNOMON_LENGTH_BIG, t);
    if (!OnTheDial(tip))
        return;
    ++checked;
    EXPECT_LE(DistanceToCurve({tip.u, tip.v}, curve), ON_THE_LINE)
        << "exact " << sun.exact << " latitude " << latitude << " day " << t / SECONDS_PER_DAY << " second "
        << t % SECONDS_PER_DAY << " tip " << tip.u << " " << tip.v;
}

}  // namespace

TEST(DialCurves, TheTipRunsAlongTheDateLineOfItsDeclination)
{
    const int times[] = {7 * 3600 + 1234, 10 * 3600 + 2000, 13 * 3600 + 7, 16 * 3600 + 3001};
    for (const SunSource* sun : SOURCES) {
        for (double latitude : LATITUDES) {
            int checked = 0;
            for (int day = 3; day <= 366; day += 29) {
                for (int time : times) {
                    const int t = day * SECONDS_PER_DAY + time;
                    const DialCurve line = DateLine(*sun, latitude, GNOMON_LENGTH_BIG, Declination(*sun, t), REACH);
                    ExpectOnCurve(*sun, latitude, t, line, checked);
                }
            }
            EXPECT_GT(checked, 0) << "latitude " << latitude;
        }
    }
}

TEST(DialCurves, TheTipRunsAlongTheFigureEightOfTheClockHour)
{
    for (const SunSource* sun : SOURCES) {
        for (double latitude : LATITUDES) {
            int checked = 0;
            for (int hour = 6; hour <= 18; ++hour) {
                const DialCurve eight = ClockHourCurve(*sun, latitude, GNOMON_LENGTH_BIG, hour, REACH);
                for (int day = 1; day <= 366; day += hour == 10 || hour == 15 ? 1 : 11)
                    ExpectOnCurve(*sun, latitude, day * SECONDS_PER_DAY + hour * 3600, eight, checked);
            }
            EXPECT_GT(checked, 0) << "latitude " << latitude;
        }
    }
}

TEST(DialCurves, TheSummerSolsticeLineCarriesTheTipAllDayAt46North)
{
    const int times[] = {7 * 3600 + 1800, 8 * 3600 + 900, 11 * 3600, 12 * 3600 + 1800, 14 * 3600 + 77, 17 * 3600};
    for (const SunSource* sun : SOURCES) {
        // The solstice: the day whose noon sun stands highest.
        int solstice = 0;
        for (int day = 160; day <= 185; ++day) {
            if (!solstice || Declination(*sun, day * SECONDS_PER_DAY + 43200) >
                                 Declination(*sun, solstice * SECONDS_PER_DAY + 43200))
                solstice = day;
        }
        const DialCurve line =
            DateLine(*sun, 46, GNOMON_LENGTH_BIG, DateLineDeclination(*sun, DATE_LINE_COUNT - 1), REACH);
        int checked = 0;
        for (int time : times)
            ExpectOnCurve(*sun, 46, solstice * SECONDS_PER_DAY + time, line, checked);
        EXPECT_EQ(checked, 6) << "exact " << sun->exact;
    }
}
