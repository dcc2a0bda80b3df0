// The exact sun: apparent solar coordinates, sky position, shadow and apparent noon.
#include "dial/Ephemeris.h"

#include <cmath>

namespace {

const double kRad = 3.14159265358979323846 / 180;  // radians in a degree
const double kArcsecond = 1 / 3600.0;              // degrees in an arcsecond
const double kJ2000 = 2451545.0;                   // Julian day of 2000 January 1, 12h: the series' origin
const double kDaysPerCentury = 36525;              // the series run in Julian centuries
const double kJulianDayOfYearOne = 1721425.5;      // 0h UT on 1 January of the year 1, Gregorian
const double kSecondsPerDay = 86400;
const double kAberration = 0.00569;                // the sun's annual aberration, degrees
const double kMeanSunAberration = 0.0057183;       // the same for the mean sun of the equation of time
const double kSecondsPerHourAngle = 240;           // per degree: the sun's hour angle runs 360 degrees a day
const double kMinutesPerDegree = 4;                // of time, as the earth turns
const int kNoonIterations = 3;                     // each one gains about three digits

// Series in T, Julian centuries from J2000: c0 + c1 T + c2 T^2 + c3 T^3.
typedef double Series[4];
const Series kSunMeanLongitude = {280.46646, 36000.76983, 0.0003032, 0};    // degrees
const Series kSunMeanAnomaly = {357.52911, 35999.05029, -0.0001537, 0};     // degrees
const Series kCentre1 = {1.914602, -0.004817, -0.000014, 0};                // degrees, times sin M
const Series kCentre2 = {0.019993, -0.000101, 0, 0};                        // degrees, times sin 2M
const double kCentre3 = 0.000289;                                           // degrees, times sin 3M
const Series kMeanObliquity = {84381.448, -46.8150, -0.00059, 0.001813};    // arcseconds
const Series kMoonNode = {125.04452, -1934.136261, 0, 0};                   // degrees
const Series kNutationSun = {280.4665, 36000.7698, 0, 0};                   // degrees
const Series kNutationMoon = {218.3165, 481267.8813, 0, 0};                 // degrees
// The four largest terms of the nutation, good to half an arcsecond, with the
// arguments: the moon's node, twice the sun's and the moon's mean longitudes,
// twice the node. Arcseconds, times the sine (longitude) or cosine (obliquity).
const int kNutationTerms = 4;
const double kNutationInLongitude[kNutationTerms] = {-17.20, -1.32, -0.23, 0.21};
const double kNutationInObliquity[kNutationTerms] = {9.20, 0.57, 0.10, -0.09};
// Greenwich mean sidereal time: degrees at J2000, per day, per T^2, and the T^3 divisor.
const double kSidereal0 = 280.46061837;
const double kSiderealPerDay = 360.98564736629;
const double kSiderealT2 = 0.000387933;
const double kSiderealT3Divisor = 38710000;

// Angle reduced to 0 .. 360 degrees.
double Revolution(double degrees)
{
    double r = fmod(degrees, 360);
    return r < 0 ? r + 360 : r;
}

// Angle reduced to -180 .. 180 degrees.
double HalfRevolution(double degrees)
{
    return Revolution(degrees + 180) - 180;
}

double Evaluate(const Series& c, double t)
{
    return c[0] + t * (c[1] + t * (c[2] + t * c[3]));
}

struct Nutation
{
    double longitude, obliquity;   // degrees
};

Nutation ComputeNutation(double t)
{
    double node = Evaluate(kMoonNode, t) * kRad;
    const double arguments[kNutationTerms] = {node, 2 * Evaluate(kNutationSun, t) * kRad,
                                              2 * Evaluate(kNutationMoon, t) * kRad, 2 * node};
    Nutation n = {0, 0};
    for (int i = 0; i < kNutationTerms; ++i) {
        n.longitude += kNutationInLongitude[i] * sin(arguments[i]) * kArcsecond;
        n.obliquity += kNutationInObliquity[i] * cos(arguments[i]) * kArcsecond;
    }
    return n;
}

// The sun's unit vector in the frame of ComputeSunVector: x toward the west,
// y toward the meridian on the equator, z toward the south celestial pole.
Vector3 SunVector(double julianDay, double longitude)
{
    ApparentSun sun = ComputeApparentSun(julianDay);
    double h = (sun.siderealTime + longitude - sun.rightAscension) * kRad;
    double delta = sun.declination * kRad;
    return {cos(delta) * sin(h), cos(delta) * cos(h), -sin(delta)};
}

}  // namespace

double JulianDayFromLocal(int year, int dayOfYear, double seconds, int zoneMinutes)
{
    long long y = year - 1LL;
    double newYear = kJulianDayOfYearOne + 365 * y + y / 4 - y / 100 + y / 400;
    return newYear + (dayOfYear - 1) + (seconds - zoneMinutes * 60.0) / kSecondsPerDay;
}

ApparentSun ComputeApparentSun(double julianDay)
{
    double d = julianDay - kJ2000;
    double t = d / kDaysPerCentury;
    double meanLongitude = Evaluate(kSunMeanLongitude, t);
    double anomaly = Evaluate(kSunMeanAnomaly, t) * kRad;
    double centre = Evaluate(kCentre1, t) * sin(anomaly) + Evaluate(kCentre2, t) * sin(2 * anomaly) +
                    kCentre3 * sin(3 * anomaly);
    Nutation nutation = ComputeNutation(t);
    double longitude = (meanLongitude + centre - kAberration + nutation.longitude) * kRad;
    double obliquity = (Evaluate(kMeanObliquity, t) * kArcsecond + nutation.obliquity) * kRad;

    ApparentSun sun;
    sun.rightAscension = Revolution(atan2(cos(obliquity) * sin(longitude), cos(longitude)) / kRad);
    sun.declination = asin(sin(obliquity) * sin(longitude)) / kRad;
    double equinoxes = nutation.longitude * cos(obliquity);
    sun.equationOfTime =
        HalfRevolution(meanLongitude - kMeanSunAberration - sun.rightAscension + equinoxes) * kMinutesPerDegree;
    double meanSidereal = kSidereal0 + kSiderealPerDay * d + t * t * (kSiderealT2 - t / kSiderealT3Divisor);
    sun.siderealTime = Revolution(meanSidereal + equinoxes);
    return sun;
}

SunInSky ComputeSunInSky(double julianDay, double latitude, double longitude)
{
    Vector3 s = SunVector(julianDay, longitude);
    double phi = latitude * kRad;
    double east = -s.x;
    double north = -s.y * sin(phi) - s.z * cos(phi);
    double up = s.y * cos(phi) - s.z * sin(phi);
    SunInSky sky;
    sky.altitude = atan2(up, sqrt(east * east + north * north)) / kRad;
    sky.azimuth = Revolution(atan2(east, north) / kRad);
    return sky;
}

Shadow ComputeExactShadow(double latitude, double longitude, double gnomonLength, double julianDay)
{
    return ShadowFromSunVector(latitude, gnomonLength, SunVector(julianDay, longitude));
}

double ApparentNoonSeconds(int year, int dayOfYear, double longitude, int zoneMinutes)
{
    // Start from mean noon on that meridian and step back by the hour angle left.
    double seconds = kSecondsPerDay / 2 - (longitude * kMinutesPerDegree - zoneMinutes) * 60;
    for (int i = 0; i < kNoonIterations; ++i) {
        Vector3 s = SunVector(JulianDayFromLocal(year, dayOfYear, seconds, zoneMinutes), longitude);
        seconds -= atan2(s.x, s.y) / kRad * kSecondsPerHourAngle;
    }
    return seconds;
}
