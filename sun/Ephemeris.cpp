// The exact sun: apparent solar coordinates, sky position, shadow and apparent noon.
#include "sun/Ephemeris.h"

#include "common/Calendar.h"

#include <cmath>

namespace {

const double RAD = 3.14159265358979323846 / 180;  // radians in a degree
const double ARCSECOND = 1 / 3600.0;              // degrees in an arcsecond
const double J2000 = 2451545.0;                   // Julian day of 2000 January 1, 12h: the series' origin
const double DAYS_PER_CENTURY = 36525;            // the series run in Julian centuries
const double JULIAN_DAY_OF_YEAR_ONE = 1721425.5;  // 0h UT on 1 January of the year 1, Gregorian
const double ABERRATION = 0.00569;                // the sun's annual aberration, degrees
const double MEAN_SUN_ABERRATION = 0.0057183;     // the same for the mean sun of the equation of time
const int NOON_ITERATIONS = 3;                    // each one gains about three digits
// Each one gains a digit or two even at the edge of the polar day.
const int RISE_AND_SET_ITERATIONS = 6;
const double HALF_DAY = SECONDS_PER_DAY / 2;  // seconds from the transit to the lower culmination, near enough
// Atmospheric refraction by Saemundsson's formula for the true altitude h in
// degrees: R = A / tan(h + B / (h + C)) arcminutes, for 10 C and 1010 hPa.
const double REFRACTION_A = 1.02;
const double REFRACTION_B = 10.3;
const double REFRACTION_C = 5.11;
const double ARCMINUTE = 1 / 60.0;  // degrees in an arcminute
// Below this true altitude the sun stays out of sight (the formula runs off
// to its pole at -5.1 degrees): no refraction there.
const double REFRACTION_LOWEST = -2;

// Series in T, Julian centuries from J2000: c0 + c1 T + c2 T^2 + c3 T^3.
typedef double Series[4];
const Series SUN_MEAN_LONGITUDE = {280.46646, 36000.76983, 0.0003032, 0};  // degrees
const Series SUN_MEAN_ANOMALY = {357.52911, 35999.05029, -0.0001537, 0};   // degrees
const Series CENTRE_1 = {1.914602, -0.004817, -0.000014, 0};               // degrees, times sin M
const Series CENTRE_2 = {0.019993, -0.000101, 0, 0};                       // degrees, times sin 2M
const double CENTRE_3 = 0.000289;                                          // degrees, times sin 3M
const Series EARTH_ECCENTRICITY = {0.016708634, -0.000042037, -0.0000001267, 0};
const double EARTH_SEMI_MAJOR_AXIS = 1.000001018;                         // astronomical units
const Series MEAN_OBLIQUITY = {84381.448, -46.8150, -0.00059, 0.001813};  // arcseconds
const Series MOON_NODE = {125.04452, -1934.136261, 0, 0};                 // degrees
const Series NUTATION_SUN = {280.4665, 36000.7698, 0, 0};                 // degrees
const Series NUTATION_MOON = {218.3165, 481267.8813, 0, 0};               // degrees
// The four largest terms of the nutation, good to half an arcsecond, with the
// arguments: the moon's node, twice the sun's and the moon's mean longitudes,
// twice the node. Arcseconds, times the sine (longitude) or cosine (obliquity).
const int NUTATION_TERMS = 4;
const double NUTATION_IN_LONGITUDE[NUTATION_TERMS] = {-17.20, -1.32, -0.23, 0.21};
const double NUTATION_IN_OBLIQUITY[NUTATION_TERMS] = {9.20, 0.57, 0.10, -0.09};
// Greenwich mean sidereal time: degrees at J2000, per day, per T^2, and the T^3 divisor.
const double SIDEREAL_0 = 280.46061837;
const double SIDEREAL_PER_DAY = 360.98564736629;
const double SIDEREAL_T2 = 0.000387933;
const double SIDEREAL_T3_DIVISOR = 38710000;

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
    double longitude, obliquity;  // degrees
};

Nutation ComputeNutation(double t)
{
    double node = Evaluate(MOON_NODE, t) * RAD;
    const double arguments[NUTATION_TERMS] = {node, 2 * Evaluate(NUTATION_SUN, t) * RAD,
                                              2 * Evaluate(NUTATION_MOON, t) * RAD, 2 * node};
    Nutation n = {0, 0};
    for (int i = 0; i < NUTATION_TERMS; ++i) {
        n.longitude += NUTATION_IN_LONGITUDE[i] * sin(arguments[i]) * ARCSECOND;
        n.obliquity += NUTATION_IN_OBLIQUITY[i] * cos(arguments[i]) * ARCSECOND;
    }
    return n;
}

// The sun's unit vector in the frame of ComputeSunVector: x toward the west,
// y toward the meridian on the equator, z toward the south celestial pole.
Vector3 SunVector(double julianDay, double longitude)
{
    const ApparentSun sun = ComputeApparentSun(julianDay);
    return EquatorialToDialFrame({sun.rightAscension, sun.declination}, sun.siderealTime, longitude);
}

// The zenith of the latitude in the frame of SunVector.
Vector3 LocalUp(double latitude)
{
    return {0, cos(latitude * RAD), -sin(latitude * RAD)};
}

// The sun's vector lifted toward the zenith of the latitude by refraction.
Vector3 Refracted(const Vector3& s, double latitude)
{
    const Vector3 up = LocalUp(latitude);
    const double height = Dot(s, up);
    const Vector3 level = {s.x - height * up.x, s.y - height * up.y, s.z - height * up.z};
    const double across = sqrt(Dot(level, level));
    if (across == 0)
        return s;
    const double altitude = atan2(height, across) / RAD;
    const double lifted = (altitude + RefractionDegrees(altitude)) * RAD;
    const double length = sqrt(Dot(s, s));
    const double k = length * cos(lifted) / across;
    const double u = length * sin(lifted);
    return {level.x * k + up.x * u, level.y * k + up.y * u, level.z * k + up.z * u};
}

}  // namespace

double Revolution(double degrees)
{
    double r = fmod(degrees, 360);
    return r < 0 ? r + 360 : r;
}

double RefractionDegrees(double trueAltitude)
{
    if (trueAltitude < REFRACTION_LOWEST)
        return 0;
    const double r =
        REFRACTION_A / tan((trueAltitude + REFRACTION_B / (trueAltitude + REFRACTION_C)) * RAD) * ARCMINUTE;
    // Overhead the formula crosses zero a hair early.
    return r > 0 ? r : 0;
}

double JulianDayFromLocal(int year, int dayOfYear, double seconds, int zoneMinutes)
{
    long long y = year - 1LL;
    double newYear = JULIAN_DAY_OF_YEAR_ONE + 365 * y + y / 4 - y / 100 + y / 400;
    return newYear + (dayOfYear - 1) + (seconds - zoneMinutes * SECONDS_PER_MINUTE) / SECONDS_PER_DAY;
}

double JulianCenturies(double julianDay)
{
    return (julianDay - J2000) / DAYS_PER_CENTURY;
}

SkyOfDate ComputeSkyOfDate(double julianDay)
{
    const double d = julianDay - J2000;
    const double t = d / DAYS_PER_CENTURY;
    const Nutation nutation = ComputeNutation(t);
    SkyOfDate sky;
    sky.nutation = nutation.longitude;
    sky.obliquity = Evaluate(MEAN_OBLIQUITY, t) * ARCSECOND + nutation.obliquity;
    const double equinoxes = nutation.longitude * cos(sky.obliquity * RAD);
    const double meanSidereal = SIDEREAL_0 + SIDEREAL_PER_DAY * d + t * t * (SIDEREAL_T2 - t / SIDEREAL_T3_DIVISOR);
    sky.siderealTime = Revolution(meanSidereal + equinoxes);
    return sky;
}

Equatorial EclipticToEquatorial(double eclipticLongitude, double eclipticLatitude, double obliquity)
{
    const double l = eclipticLongitude * RAD, b = eclipticLatitude * RAD, e = obliquity * RAD;
    Equatorial place;
    place.rightAscension = Revolution(atan2(sin(l) * cos(e) - tan(b) * sin(e), cos(l)) / RAD);
    place.declination = asin(sin(b) * cos(e) + cos(b) * sin(e) * sin(l)) / RAD;
    return place;
}

Vector3 EquatorialToDialFrame(const Equatorial& place, double siderealTime, double longitude)
{
    const double h = (siderealTime + longitude - place.rightAscension) * RAD;
    const double delta = place.declination * RAD;
    return {cos(delta) * sin(h), cos(delta) * cos(h), -sin(delta)};
}

ApparentSun ComputeApparentSun(double julianDay)
{
    const SkyOfDate sky = ComputeSkyOfDate(julianDay);
    const double t = JulianCenturies(julianDay);
    const double meanLongitude = Evaluate(SUN_MEAN_LONGITUDE, t);
    const double anomaly = Evaluate(SUN_MEAN_ANOMALY, t) * RAD;
    const double centre =
        Evaluate(CENTRE_1, t) * sin(anomaly) + Evaluate(CENTRE_2, t) * sin(2 * anomaly) + CENTRE_3 * sin(3 * anomaly);
    const double longitude = meanLongitude + centre - ABERRATION + sky.nutation;
    const Equatorial place = EclipticToEquatorial(longitude, 0, sky.obliquity);

    ApparentSun sun;
    sun.rightAscension = place.rightAscension;
    sun.declination = place.declination;
    const double equinoxes = sky.nutation * cos(sky.obliquity * RAD);
    sun.equationOfTime =
        HalfRevolution(meanLongitude - MEAN_SUN_ABERRATION - sun.rightAscension + equinoxes) * MINUTES_PER_DEGREE;
    sun.siderealTime = sky.siderealTime;
    sun.longitude = Revolution(longitude);
    const double e = Evaluate(EARTH_ECCENTRICITY, t);
    sun.distance = EARTH_SEMI_MAJOR_AXIS * (1 - e * e) / (1 + e * cos(anomaly + centre * RAD));
    return sun;
}

SunInSky ComputeSunInSky(double julianDay, double latitude, double longitude)
{
    return AltitudeAndAzimuth(SunVector(julianDay, longitude), latitude);
}

SunInSky AltitudeAndAzimuth(const Vector3& s, double latitude)
{
    double phi = latitude * RAD;
    double east = -s.x;
    double north = -s.y * sin(phi) - s.z * cos(phi);
    double up = Dot(s, LocalUp(latitude));
    SunInSky sky;
    sky.altitude = atan2(up, sqrt(east * east + north * north)) / RAD;
    sky.azimuth = Revolution(atan2(east, north) / RAD);
    return sky;
}

Shadow ComputeExactShadow(double latitude, double longitude, double gnomonLength, double julianDay)
{
    return ShadowOfTrueSun(latitude, gnomonLength, SunVector(julianDay, longitude));
}

Shadow ShadowOfTrueSun(double latitude, double gnomonLength, const Vector3& s)
{
    return ShadowFromSunVector(latitude, gnomonLength, Refracted(s, latitude));
}

double MeanObliquity(double julianDay)
{
    return Evaluate(MEAN_OBLIQUITY, JulianCenturies(julianDay)) * ARCSECOND;
}

double ApparentSolarSeconds(double julianDay, double longitude)
{
    const Vector3 s = SunVector(julianDay, longitude);
    return Revolution(atan2(s.x, s.y) / RAD + 180) * SECONDS_PER_DEGREE;
}

double ApparentNoonSeconds(int year, int dayOfYear, double longitude, int zoneMinutes)
{
    // Start from mean noon on that meridian and step back by the hour angle
    // left. The meridian is taken within half a turn of the zone's, so that
    // a place across the date line from it keeps the zone's day: -180 and
    // 180 are one meridian.
    const double eastOfZone = HalfRevolution(longitude - zoneMinutes / MINUTES_PER_DEGREE);
    double seconds = SECONDS_PER_DAY / 2 - eastOfZone * SECONDS_PER_DEGREE;
    for (int i = 0; i < NOON_ITERATIONS; ++i) {
        Vector3 s = SunVector(JulianDayFromLocal(year, dayOfYear, seconds, zoneMinutes), longitude);
        seconds -= atan2(s.x, s.y) / RAD * SECONDS_PER_DEGREE;
    }
    return seconds;
}

namespace {

// A day at a place and the altitude of the sun's centre whose crossings are sought.
struct PlaceAndDay
{
    double latitude, longitude;  // degrees north and east
    int year, dayOfYear, zoneMinutes;
    double altitude;  // degrees
};

// Declination and hour angle, degrees, of the sun at seconds of the day's local time.
struct SunOnMeridian
{
    double declination, hourAngle;
};

SunOnMeridian SunAtLocal(const PlaceAndDay& day, double seconds)
{
    Vector3 s = SunVector(JulianDayFromLocal(day.year, day.dayOfYear, seconds, day.zoneMinutes), day.longitude);
    return {asin(-s.z) / RAD, atan2(s.x, s.y) / RAD};
}

// Seconds of local time at which the sun's centre stands at the day's altitude
// before the transit at noon (side -1) or after it (side +1): the hour angle
// of that altitude for the declination of the moment reached, again and again.
double RiseOrSetSeconds(const PlaceAndDay& day, double noon, int side)
{
    const double phi = day.latitude * RAD;
    double seconds = noon + side * HALF_DAY / 2;
    for (int i = 0; i < RISE_AND_SET_ITERATIONS; ++i) {
        SunOnMeridian sun = SunAtLocal(day, seconds);
        double delta = sun.declination * RAD;
        double cosine = (sin(day.altitude * RAD) - sin(phi) * sin(delta)) / (cos(phi) * cos(delta));
        double target = side * acos(fmax(-1.0, fmin(1.0, cosine))) / RAD;
        seconds += HalfRevolution(target - sun.hourAngle) * SECONDS_PER_DEGREE;
    }
    return seconds;
}

}  // namespace

SunTimes ComputeSunTimes(double latitude, double longitude, int year, int dayOfYear, int zoneMinutes)
{
    return ComputeSunCrossings(SUNRISE_ALTITUDE, latitude, longitude, year, dayOfYear, zoneMinutes);
}

SunTimes ComputeSunCrossings(double altitude, double latitude, double longitude, int year, int dayOfYear,
                             int zoneMinutes)
{
    const PlaceAndDay day = {latitude, longitude, year, dayOfYear, zoneMinutes, altitude};
    SunTimes times;
    times.noon = ApparentNoonSeconds(year, dayOfYear, longitude, zoneMinutes);
    // The sun rises (sets) when it passes the altitude between the lower
    // culmination half a day before (after) noon, at |latitude + declination|
    // - 90 degrees, and the transit, at 90 - |latitude - declination|.
    double declinations[3];
    for (int side = -1; side <= 1; ++side)
        declinations[side + 1] = SunAtLocal(day, times.noon + side * HALF_DAY).declination;
    const bool upAtNoon = 90 - fabs(latitude - declinations[1]) > altitude;
    times.hasSunrise = upAtNoon && fabs(latitude + declinations[0]) - 90 < altitude;
    times.hasSunset = upAtNoon && fabs(latitude + declinations[2]) - 90 < altitude;
    times.sunrise = times.hasSunrise ? RiseOrSetSeconds(day, times.noon, -1) : times.noon - HALF_DAY;
    times.sunset = times.hasSunset ? RiseOrSetSeconds(day, times.noon, 1) : times.noon + HALF_DAY;
    times.dayLength = upAtNoon ? times.sunset - times.sunrise : 0;
    return times;
}

double JulianDayOfMoment(const SunSource& sun, int t)
{
    // Day 0 of the year is the day before January 1.
    return JulianDayFromLocal(sun.year, 0, t, sun.zoneMinutes);
}

Shadow ComputeDialShadow(const SunSource& sun, double latitude, double gnomonLength, int t)
{
    if (!sun.exact)
        return ComputeShadow(latitude, gnomonLength, t);
    return ComputeExactShadow(latitude, sun.longitude, gnomonLength, JulianDayOfMoment(sun, t));
}
