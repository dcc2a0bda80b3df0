// The sun's direction and the gnomon's shadow from a small model of the Earth's orbit.
#pragma once

#include "platform/Clock.h"

// A small vector model of the Earth's orbit and rotation: the sun's direction
// for a moment, the shadow of a polar gnomon on a horizontal dial, the
// daylight factor and the hour-line directions. Plain double arithmetic.

// The model's constants, with the exact values the dial was tuned with:
// every pixel of the picture depends on them, so they are written out, not
// computed afresh. Pi is 3.141592654 throughout (the degree and radian
// factors, 1 / pi and two pi come from it), the orbit's year has 366 days,
// and the hour sectors take sin 15 and cos 15 degrees cut to five and three
// digits.
const double DEG_TO_RAD = 0.017453292522222223;  // pi / 180
const double RAD_TO_DEG = 57.29577950560105;     // 180 / pi
const double INVERSE_PI = 0.31830988614222805;   // 1 / pi
const double TWO_PI = 6.283185308;
const double SECONDS_TO_DAYS = 1.1574074074074073e-05;  // 1 / 86400
const double HOUR_TO_TURN = 0.041666666666666664;       // 1 / 24
const double ORBIT_ECCENTRICITY = 0.0161464;
const double PERIHELION_DAY = 2.0;
const double MEAN_MOTION = 0.017167172972677596;  // TWO_PI / 366
const double ORBIT_SCALE = 149437030.2;
const double OBLIQUITY = 23.5;
const double EQUINOX_ANGLE = 1.3761939072963723;
const double SIDEREAL_RATE = 360.986301369863;  // 360 * 366 / 365
const double SIN_FIFTEEN_DEGREES = 0.25882;
const double COS_FIFTEEN_DEGREES = 0.966;

// Gnomon lengths of the big and the small dial at the natural size, in dial
// pixels; the sun model's tools and tests measure shadows with them.
const int GNOMON_LENGTH_BIG = 125;
const int GNOMON_LENGTH_SMALL = 70;

struct Vector3
{
    double x, y, z;
};

inline double Dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Rotates (x, y, z) in place by angle degrees about the unit axis (ux, uy, uz),
// right-handed.
void RotateAboutAxis(double ux, double uy, double uz, double angle, double& x, double& y, double& z);

// The dial moment t in whole seconds: day of year (1 = January 1) x 86400 plus
// the seconds of the day, in local standard time; the simulated one, or the
// one of the clock's reading. The simulated day is counted as Settings counts
// it, 0 = January 1.
int ComputeDialMoment(bool simulate, int simulatedDay, int simulatedSeconds, const ClockReading& clock);
// The moment of a day of the year (1 = January 1) and seconds of that day;
// days far outside the calendar saturate instead of overflowing.
int SimulatedMoment(long long day, int seconds);
// The real moment for one reading of the clock: the day count follows the UTC
// date and the bias is applied to the total afterwards.
int MomentFromClock(const ClockReading& clock);

// The sun direction in the Earth-fixed frame (z along the Earth's axis, the
// observer's meridian in the y-z plane).
Vector3 ComputeSunVector(int t);

struct Shadow
{
    bool isDay;          // the sun stands strictly above the dial's horizon
    double u, v;         // shadow tip in dial pixels from the gnomon foot, v up
    double brightness;   // daylight factor 0.15 .. 1.0 (daytime only, else 0)
    double sinAltitude;  // sine of the sun's altitude
};

Shadow ComputeShadow(double latitude, double gnomonLength, int t);
// The shadow for any sun direction s given in the frame of ComputeSunVector:
// x toward the observer's west, y toward the meridian on the equator, z
// toward the south celestial pole. s need not be a unit vector.
Shadow ShadowFromSunVector(double latitude, double gnomonLength, const Vector3& s);

// Unit direction (sx right, sy down) of the line of decimal hour h.
void HourLineDirection(double hour, double latitude, double& sx, double& sy);

// Angle in radians between the lines of hour - 0.5 and hour + 0.5.
double HourSectorAngle(double hour, double latitude);
