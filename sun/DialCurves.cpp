// The date lines and the clock hours' figure-eights: curves the shadow of the gnomon's tip follows.
#include "sun/DialCurves.h"

#include "common/Calendar.h"

#include <cmath>

namespace {

// A date line is followed in steps of this much hour angle (48 seconds of
// the day), fine enough that the tip between two steps strays far less
// than a pixel from their chord.
const double HOUR_ANGLE_STEP = 0.2;
const double FULL_TURN = 360;
const double ZODIAC_SIGN = 30;  // degrees of the ecliptic between two date lines
// Days of the figure-eights: from the last day of the year before to the
// first of the year after, so that each closes over any year.
const int FIRST_DAY = 0;
const int LAST_DAY = 367;
// A run's points are thinned to the vertices of chords from which no point
// followed strays further than this, pixels.
const double THINNING_TOLERANCE = 0.1;
// Neither a chord nor the points it checks grow beyond these, so that
// thinning stays linear.
const double LONGEST_CHORD = 16;
const size_t MOST_POINTS_PER_CHORD = 256;

double Length(double u, double v)
{
    return std::sqrt(u * u + v * v);
}

// The points of a curve as they are found, broken into runs.
class CCurveBuilder
{
public:
    explicit CCurveBuilder(double reach) : m_reach(reach) { }

    void Add(const Shadow& shadow)
    {
        if (!shadow.isDay || !(Length(shadow.u, shadow.v) <= m_reach)) {
            Break();
            return;
        }
        m_run.push_back({shadow.u, shadow.v});
    }

    void Break()
    {
        if (!m_run.empty())
            m_curve.push_back(Thinned(m_run));
        m_run.clear();
    }

    DialCurve Finish()
    {
        Break();
        return m_curve;
    }

private:
    static bool ChordHolds(const std::vector<DialPoint>& run, size_t from, size_t to)
    {
        const DialPoint& a = run[from];
        const DialPoint& b = run[to];
        if (to - from > MOST_POINTS_PER_CHORD || Length(b.u - a.u, b.v - a.v) > LONGEST_CHORD)
            return false;
        for (size_t i = from + 1; i < to; ++i) {
            if (DistanceToSegment(run[i], a, b) > THINNING_TOLERANCE)
                return false;
        }
        return true;
    }

    // The vertices of chords that stay within THINNING_TOLERANCE of the run.
    static std::vector<DialPoint> Thinned(const std::vector<DialPoint>& run)
    {
        std::vector<DialPoint> kept(1, run[0]);
        size_t anchor = 0;
        for (size_t i = 2; i < run.size(); ++i) {
            if (!ChordHolds(run, anchor, i)) {
                anchor = i - 1;
                kept.push_back(run[anchor]);
            }
        }
        if (run.size() > 1)
            kept.push_back(run.back());
        return kept;
    }

    double m_reach;
    std::vector<DialPoint> m_run;
    DialCurve m_curve;
};

// The sun's direction at a declination and an hour angle (degrees, west
// positive) in the frame of ComputeSunVector.
Vector3 SunAt(double declination, double hourAngle)
{
    const double delta = declination * DEG_TO_RAD, h = hourAngle * DEG_TO_RAD;
    return {std::cos(delta) * std::sin(h), std::cos(delta) * std::cos(h), -std::sin(delta)};
}

}  // namespace

double DistanceToSegment(const DialPoint& p, const DialPoint& a, const DialPoint& b)
{
    const double du = b.u - a.u, dv = b.v - a.v;
    const double squared = du * du + dv * dv;
    double along = squared > 0 ? ((p.u - a.u) * du + (p.v - a.v) * dv) / squared : 0;
    along = along < 0 ? 0 : along > 1 ? 1 : along;
    return Length(p.u - (a.u + along * du), p.v - (a.v + along * dv));
}

double DateLineDeclination(const SunSource& sun, int index)
{
    // The middle of the source's year stands for the whole of it.
    const double tilt =
        sun.exact ? MeanObliquity(JulianDayOfMoment(sun, DaysInYear(sun.year) / 2 * SECONDS_PER_DAY)) : OBLIQUITY;
    const double longitude = (index - EQUINOX_LINE) * ZODIAC_SIGN;
    return std::asin(std::sin(tilt * DEG_TO_RAD) * std::sin(longitude * DEG_TO_RAD)) / DEG_TO_RAD;
}

DialCurve DateLine(const SunSource& sun, double latitude, double gnomonLength, double declination, double reach)
{
    CCurveBuilder curve(reach);
    const int steps = static_cast<int>(FULL_TURN / HOUR_ANGLE_STEP);
    // From the lower culmination round to it again, so that a day's path is
    // broken only where the sun is down.
    for (int i = 0; i <= steps; ++i) {
        const Vector3 s = SunAt(declination, i * HOUR_ANGLE_STEP - FULL_TURN / 2);
        curve.Add(sun.exact ? ShadowOfTrueSun(latitude, gnomonLength, s)
                            : ShadowFromSunVector(latitude, gnomonLength, s));
    }
    return curve.Finish();
}

DialCurve ClockHourCurve(const SunSource& sun, double latitude, double gnomonLength, int hour, double reach)
{
    CCurveBuilder curve(reach);
    for (int day = FIRST_DAY; day <= LAST_DAY; ++day)
        curve.Add(ComputeDialShadow(sun, latitude, gnomonLength, day * SECONDS_PER_DAY + hour * SECONDS_PER_HOUR));
    return curve.Finish();
}
