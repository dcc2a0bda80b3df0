// The sun's direction and the gnomon's shadow from a small model of the Earth's orbit.
#include "sun/Solar.h"

#include "common/Calendar.h"
#include "common/Saturate.h"

#include <cmath>

namespace {

// Settings counts the simulated day from 0 on January 1; the moment counts
// January 1 as day 1.
const int SETTINGS_DAY_TO_DAY_OF_YEAR = 1;

}  // namespace

void RotateAboutAxis(double ux, double uy, double uz, double angle, double& x, double& y, double& z)
{
    double a = angle * DEG_TO_RAD;
    double s = sin(a), c = cos(a), k = 1 - c;
    double nx = (ux * ux * k + c) * x + (ux * uy * k - uz * s) * y + (ux * uz * k + uy * s) * z;
    double ny = (uy * ux * k + uz * s) * x + (uy * uy * k + c) * y + (uy * uz * k - ux * s) * z;
    double nz = (uz * ux * k - uy * s) * x + (uz * uy * k + ux * s) * y + (uz * uz * k + c) * z;
    x = nx;
    y = ny;
    z = nz;
}

int SimulatedMoment(long long day, int seconds)
{
    return SaturateToInt(day * SECONDS_PER_DAY + seconds);
}

int MomentFromClock(const ClockReading& clock)
{
    int dayOfYear = clock.day;
    for (int month = 1; month < clock.month && month <= 12; ++month)
        dayOfYear += DaysInMonth(month, clock.year);
    double secondsOfDay =
        clock.hour * SECONDS_PER_HOUR + clock.minute * SECONDS_PER_MINUTE + clock.second + clock.milliseconds * 0.001;
    long long t = static_cast<long long>(dayOfYear * static_cast<double>(SECONDS_PER_DAY) + secondsOfDay);
    return SaturateToInt(t - static_cast<long long>(clock.biasMinutes) * SECONDS_PER_MINUTE);
}

int ComputeDialMoment(bool simulate, int simulatedDay, int simulatedSeconds, const ClockReading& clock)
{
    if (simulate)
        return SimulatedMoment(static_cast<long long>(simulatedDay) + SETTINGS_DAY_TO_DAY_OF_YEAR, simulatedSeconds);
    return MomentFromClock(clock);
}

Vector3 ComputeSunVector(int t)
{
    const double e = ORBIT_ECCENTRICITY;
    double d = t * SECONDS_TO_DAYS;
    double m = (d + (-PERIHELION_DAY)) * MEAN_MOTION;
    double ecc = m + (e - e * e * e * 0.125) * sin(m) + e * e * 0.5 * sin(2 * m) + 3 * e * e * e * 0.125 * sin(3 * m);
    double nu = 2 * atan(sqrt((1 + e) / (1 - e)) * tan(ecc * 0.5));
    double r = ORBIT_SCALE / (1 + e * cos(nu));
    Vector3 s = {r * sin(nu), -r * cos(nu), 0};
    RotateAboutAxis(-sin(EQUINOX_ANGLE), cos(EQUINOX_ANGLE), 0, OBLIQUITY, s.x, s.y, s.z);
    RotateAboutAxis(0, 0, -1, d * SIDEREAL_RATE, s.x, s.y, s.z);
    return s;
}

static Vector3 TiltedByLatitude(Vector3 v, double angle)
{
    RotateAboutAxis(1, 0, 0, angle, v.x, v.y, v.z);
    return v;
}

Shadow ComputeShadow(double latitude, double gnomonLength, int t)
{
    return ShadowFromSunVector(latitude, gnomonLength, ComputeSunVector(t));
}

Shadow ShadowFromSunVector(double latitude, double gnomonLength, const Vector3& s)
{
    Vector3 n = TiltedByLatitude({0, 1, 0}, -latitude);
    Vector3 up = TiltedByLatitude({0, 0, 1}, -latitude);
    Vector3 right = {1, 0, 0};
    Vector3 tip = TiltedByLatitude({0, gnomonLength, 0}, -90);

    Shadow shadow = {};
    double sunUp = Dot(s, n);
    shadow.sinAltitude = sunUp / sqrt(Dot(s, s));
    shadow.isDay = sunUp > 0;
    if (!shadow.isDay)
        return shadow;
    double l = Dot(n, tip) / sunUp;
    Vector3 q = {tip.x - l * s.x, tip.y - l * s.y, tip.z - l * s.z};
    shadow.u = Dot(q, right);
    shadow.v = Dot(q, up);
    double a = shadow.sinAltitude;
    double g = a * 1.97 / (a * 1.94 + 1 + (-0.97));
    if (g < 0)
        g = 0;
    shadow.brightness = 0.15 + 0.85 * g;
    return shadow;
}

void HourLineDirection(double hour, double latitude, double& sx, double& sy)
{
    double h = (hour + (-12.0)) * TWO_PI * HOUR_TO_TURN;
    double s = sin(latitude * DEG_TO_RAD);
    double n = sqrt((sin(h) * s) * (sin(h) * s) + cos(h) * cos(h));
    if (n == 0) {
        // The 6 and 18 o'clock lines on the equator have no direction.
        sx = sy = 0;
        return;
    }
    sx = -s * sin(h) / n;
    sy = cos(h) / n;
}

double HourSectorAngle(double hour, double latitude)
{
    double h = (hour + (-12.0)) * TWO_PI * HOUR_TO_TURN;
    double s = sin(latitude * DEG_TO_RAD);
    return fabs(atan2(2 * s * SIN_FIFTEEN_DEGREES, (1 - s * s) * cos(2 * h) + (1 + s * s) * COS_FIFTEEN_DEGREES));
}
