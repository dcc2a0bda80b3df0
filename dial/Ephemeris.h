// The exact sun: apparent solar coordinates, sky position, shadow and apparent noon.
#pragma once

#include "dial/Solar.h"

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
};

struct SunInSky
{
    double altitude;  // degrees above the horizon, geometric (no refraction)
    double azimuth;   // degrees clockwise from north, 0 .. 360
};

// Julian day of a moment given as the day of the year (1 = January 1) and the
// seconds of that day in local standard time, zoneMinutes east of UTC.
// Gregorian calendar, years 1 and later.
double JulianDayFromLocal(int year, int dayOfYear, double seconds, int zoneMinutes);

ApparentSun ComputeApparentSun(double julianDay);

// longitude in degrees east.
SunInSky ComputeSunInSky(double julianDay, double latitude, double longitude);

// The same shadow as ComputeShadow (frame, gnomon, day and night, daylight
// factor), for the true sun.
Shadow ComputeExactShadow(double latitude, double longitude, double gnomonLength, double julianDay);

// Seconds of local standard time at which the sun crosses the meridian of
// longitude (degrees east) on that day.
double ApparentNoonSeconds(int year, int dayOfYear, double longitude, int zoneMinutes);
