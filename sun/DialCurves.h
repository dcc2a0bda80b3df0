// The date lines and the clock hours' figure-eights: curves the shadow of the gnomon's tip follows.
#pragma once

#include "sun/Ephemeris.h"

#include <vector>

// A point of the dial in pixels from the gnomon's foot, u to the right and v
// up, as the shadow's tip is given.
struct DialPoint
{
    double u, v;
};

// A curve on the dial: runs of points, each joined by straight segments. A
// run ends where the sun sets or the tip goes beyond the reach asked for.
typedef std::vector<std::vector<DialPoint>> DialCurve;

// Date lines from the winter solstice of the north to its summer solstice:
// the sun entering each sign of the zodiac, 30 degrees of the ecliptic apart.
const int DATE_LINE_COUNT = 7;
const int EQUINOX_LINE = 3;  // the index of the equinoxes' straight line

// Distance from p to the segment from a to b, pixels.
double DistanceToSegment(const DialPoint& p, const DialPoint& a, const DialPoint& b);

// The sun's declination on date line index (0 .. DATE_LINE_COUNT - 1) for
// the sun in use: the model's tilt, or the ephemeris' of the source's year.
double DateLineDeclination(const SunSource& sun, int index);

// The path of the gnomon's tip's shadow through a day on which the sun keeps
// that declination (degrees), seen through the same sun as the dial's shadow.
DialCurve DateLine(const SunSource& sun, double latitude, double gnomonLength, double declination, double reach);

// The figure-eight the gnomon's tip's shadow traces over the year at the
// whole hour of local standard time, from the day before January 1 of the
// source's year to the day after its end.
DialCurve ClockHourCurve(const SunSource& sun, double latitude, double gnomonLength, int hour, double reach);
