// The exact sun: apparent solar coordinates, sky position, shadow and apparent noon.
#pragma once

#include "sun/Solar.h"

// The exact sun: apparent solar coordinates by the low-precision series
// (about 0.01 degree for 1900 .. 2100), the sun's place in the sky of any
// latitude and longitude, and its shadow on the same dial as ComputeShadow.
//
// Every moment is a Julian day in UT (UTC, to the second). The orbital terms
// take it as dynamical time too: the difference, a minute or two in these
// centuries, moves the sun by less than 0.002 degree.

struct ApparentSun
{
    double rightAscension;  // degrees 0 .. 360, true equator and equinox of date
    double declination;     // degrees
    double equationOfTime;  // minutes, apparent minus mean solar time
    double siderealTime;    // Greenwich apparent sidereal time, degrees 0 .. 360
    double longitude;       // apparent ecliptic longitude, degrees 0 .. 360
    double distance;        // from the earth's centre, astronomical units
};

struct SunInSky
{
    double altitude;  // degrees above the horizon, geometric (no refraction)
    double azimuth;   // degrees clockwise from north, 0 .. 360
};

// The apparent equator and equinox of a moment.
struct SkyOfDate
{
    double nutation;      // in longitude, degrees: added to a longitude of the mean equinox of date
    double obliquity;     // the true obliquity of the ecliptic, degrees
    double siderealTime;  // Greenwich apparent sidereal time, degrees 0 .. 360
};

// An angle reduced to 0 .. 360 degrees.
double Revolution(double degrees);

// Julian centuries of 36525 days from 2000 January 1, 12h: the series' time.
double JulianCenturies(double julianDay);

SkyOfDate ComputeSkyOfDate(double julianDay);

struct Equatorial
{
    double rightAscension;  // degrees 0 .. 360
    double declination;     // degrees
};

// An ecliptic place (longitude and latitude, degrees) on the equator of the
// obliquity, degrees.
Equatorial EclipticToEquatorial(double eclipticLongitude, double eclipticLatitude, double obliquity);

// The unit direction of an apparent place in the frame of ComputeSunVector at
// longitude (degrees east), for the sidereal time of SkyOfDate.
Vector3 EquatorialToDialFrame(const Equatorial& place, double siderealTime, double longitude);

// Altitude (geometric) and azimuth of a direction s in the frame of
// ComputeSunVector at the latitude.
SunInSky AltitudeAndAzimuth(const Vector3& s, double latitude);

// Julian day of a moment given as the day of the year (1 = January 1) and the
// seconds of that day in local standard time, zoneMinutes east of UTC.
// Gregorian calendar, years 1 and later.
double JulianDayFromLocal(int year, int dayOfYear, double seconds, int zoneMinutes);

ApparentSun ComputeApparentSun(double julianDay);

// longitude in degrees east.
SunInSky ComputeSunInSky(double julianDay, double latitude, double longitude);

// Degrees by which the air lifts the sun seen at a true (geometric) altitude:
// about 0.48 at the horizon, 0.09 at 10 degrees, nothing overhead and below
// -2 degrees.
double RefractionDegrees(double trueAltitude);

// The same shadow as ComputeShadow (frame, gnomon, day and night, daylight
// factor), for the true sun as it is seen: lifted by refraction, so that the
// dial's day begins when the sun's centre shows over a flat horizon.
Shadow ComputeExactShadow(double latitude, double longitude, double gnomonLength, double julianDay);
// The shadow of a true sun direction s (frame of ComputeSunVector) as it is
// seen, lifted by refraction: ComputeExactShadow's for any sun.
Shadow ShadowOfTrueSun(double latitude, double gnomonLength, const Vector3& s);

// The mean obliquity of the ecliptic at that moment, degrees.
double MeanObliquity(double julianDay);

// Apparent solar time at longitude (degrees east) at that moment: seconds
// of the sun's day, 43200 with the sun on the meridian, 0 .. 86400.
double ApparentSolarSeconds(double julianDay, double longitude);

// Seconds of local standard time at which the sun crosses the meridian of
// longitude (degrees east) on that day.
double ApparentNoonSeconds(int year, int dayOfYear, double longitude, int zoneMinutes);

// The day's sun as almanacs give it: the rise and set of the sun's upper
// edge over a flat horizon, seen through the standard refraction, around the
// day's meridian transit. Seconds of local time from the day's midnight in
// the zone the times were asked for; a rise or set far from the zone's
// meridian may fall before 0 or after 86400.
struct SunTimes
{
    double sunrise;    // without a rise, the lower culmination half a day before noon
    double noon;       // the sun on the meridian
    double sunset;     // without a set, the lower culmination half a day after noon
    double dayLength;  // seconds the sun is up in the 24 hours around noon: 0 when it stays down, 86400 up
    bool hasSunrise;   // false when the sun stays up from the night before, or down all day
    bool hasSunset;    // false when the sun stays up into the night after, or down all day
};

// Degrees by which almanacs take the air to lift a body on a flat horizon.
const double HORIZON_REFRACTION = 34.0 / 60;
// Altitude of the sun's centre, degrees, when its upper edge touches a flat
// horizon: 16' of semi-diameter and the refraction below it.
const double SUNRISE_ALTITUDE = -16.0 / 60 - HORIZON_REFRACTION;
// Altitude of the sun's centre at civil dawn and dusk, degrees.
const double CIVIL_TWILIGHT_ALTITUDE = -6;

// The rise, transit and set of the sun on that day (1 = January 1) for
// latitude and longitude (degrees north and east); zoneMinutes east of UTC,
// daylight saving included for the times of a clock that keeps it.
SunTimes ComputeSunTimes(double latitude, double longitude, int year, int dayOfYear, int zoneMinutes);
// The same for another altitude of the sun's centre (degrees): with
// CIVIL_TWILIGHT_ALTITUDE, sunrise is civil dawn and sunset civil dusk.
SunTimes ComputeSunCrossings(double altitude, double latitude, double longitude, int year, int dayOfYear,
                             int zoneMinutes);

// Where the dial's sun comes from: the model of ComputeShadow, or the
// ephemeris for a real year, a longitude and a time zone.
struct SunSource
{
    bool exact;
    double longitude;  // degrees east
    int year;          // of the dial moment's day count
    int zoneMinutes;   // east of UTC: the dial moment is local standard time

    bool operator==(const SunSource&) const = default;
};

// Julian day of the dial moment t (day of the year x 86400 plus seconds of
// local standard time) in the source's year and zone.
double JulianDayOfMoment(const SunSource& sun, int t);

// The dial's shadow for moment t from either model; the model's is
// ComputeShadow's to the bit.
Shadow ComputeDialShadow(const SunSource& sun, double latitude, double gnomonLength, int t);
