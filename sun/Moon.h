// The moon: its place, phase and shadow, and the day's moonrise and moonset.
#pragma once

#include "sun/Ephemeris.h"

// The moon's geocentric place by the main terms of ELP-2000/82 as Meeus
// publishes them (Astronomical Algorithms, chapter 47: about 10" in
// longitude, 4" in latitude), seen from a place on the earth's ellipsoid:
// the parallax of up to a degree is the place's own. Moments are Julian days
// in UT taken as dynamical time, as for the sun: the difference, about a
// minute in these years, moves the moon by about 0.01 degree.

// The moon from the earth's centre: mean ecliptic and equinox of date,
// geometric.
struct GeocentricMoon
{
    double longitude;  // degrees 0 .. 360
    double latitude;   // degrees
    double distance;   // kilometres between the centres
};

GeocentricMoon ComputeGeocentricMoon(double julianDay);

// The moon from the place: its direction in the frame of ComputeSunVector,
// x toward the west, y toward the meridian on the equator, z toward the
// south celestial pole, its length the distance in earth radii; geometric,
// without refraction.
Vector3 ComputeMoonVector(double julianDay, double latitude, double longitude);

// The moon in the sky of a place and its phase.
struct MoonInSky
{
    double altitude;    // degrees above the horizon as it is seen: from the place, lifted by refraction
    double azimuth;     // degrees clockwise from north, 0 .. 360
    double fraction;    // the lit share of its disc seen from the earth's centre, 0 .. 1
    double elongation;  // its apparent ecliptic longitude less the sun's, degrees 0 .. 360: waxing below 180
};

// latitude and longitude in degrees north and east.
MoonInSky ComputeMoonInSky(double julianDay, double latitude, double longitude);

// The shadow the moon casts on the dial of ComputeShadow, seen as the sun's
// is (lifted by refraction); isDay says the moon's centre shows above the
// horizon, and brightness is the sun's daylight curve, of no use here.
Shadow ComputeMoonShadow(double latitude, double longitude, double gnomonLength, double julianDay);

// The moon in the sky of a place and its shadow on a dial there, at once.
struct MoonOverDial
{
    MoonInSky sky;
    Shadow shadow;  // as ComputeMoonShadow's
};

MoonOverDial ComputeMoonOverDial(double latitude, double longitude, double gnomonLength, double julianDay);

// The phase as calendars name it: a principal phase for the day around its
// moment, the crescents and gibbous moons between.
enum MoonPhase
{
    NEW_MOON,
    WAXING_CRESCENT,
    FIRST_QUARTER,
    WAXING_GIBBOUS,
    FULL_MOON,
    WANING_GIBBOUS,
    LAST_QUARTER,
    WANING_CRESCENT,
};

MoonPhase PhaseOfElongation(double elongation);

// The day's moonrise and moonset as almanacs give them: the upper edge of
// the disc on a flat horizon, from the place, seen through HORIZON_REFRACTION.
// Seconds of local time from the day's midnight, 0 .. 86400; the moon rises
// and sets about 50 minutes later each day, so a day may lack either.
struct MoonTimes
{
    double rise, set;  // the first of the day; meaningless where the day has none
    bool hasRise, hasSet;
};

// That day (1 = January 1) at latitude and longitude (degrees north and east),
// for a clock zoneMinutes east of UTC.
MoonTimes ComputeMoonTimes(double latitude, double longitude, int year, int dayOfYear, int zoneMinutes);
