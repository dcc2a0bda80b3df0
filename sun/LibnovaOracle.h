// What the oracle tests build from libnova: apparent places of date, directions in the sky, their angles.
#pragma once

#include "sun/Ephemeris.h"

#include <libnova/libnova.h>

#include <cmath>

namespace oracle {

const double RAD = 3.14159265358979323846 / 180;
const double OBLIQUITY_J2000 = 23.4392911;  // mean obliquity at J2000, degrees
const double ABERRATION = 20.4898 / 3600;   // the sun's, degrees at one astronomical unit

inline void EclipticToEquatorial(double lambda, double beta, double epsilon, double& ra, double& dec)
{
    double l = lambda * RAD, b = beta * RAD, e = epsilon * RAD;
    ra = atan2(sin(l) * cos(e) - tan(b) * sin(e), cos(l)) / RAD;
    dec = asin(sin(b) * cos(e) + cos(b) * sin(e) * sin(l)) / RAD;
}

inline void EquatorialToEcliptic(double ra, double dec, double epsilon, double& lambda, double& beta)
{
    double a = ra * RAD, d = dec * RAD, e = epsilon * RAD;
    lambda = atan2(sin(a) * cos(e) + tan(d) * sin(e), cos(a)) / RAD;
    beta = asin(sin(d) * cos(e) - cos(d) * sin(e) * sin(a)) / RAD;
}

// A place on the ecliptic and equinox of J2000 (libnova's solar and lunar
// theories give theirs there, and its ecliptic precession returns zeros) as
// it stands on the true equator and equinox of the date: J2000 equator,
// libnova's equatorial precession, then its nutation. The same UT Julian day
// goes everywhere, as in the code under test.
inline void OfDate(double lambda, double beta, double julianDay, ln_equ_posn* apparent)
{
    ln_equ_posn j2000, ofDate;
    EclipticToEquatorial(lambda, beta, OBLIQUITY_J2000, j2000.ra, j2000.dec);
    ln_get_equ_prec2(&j2000, JD2000, julianDay, &ofDate);
    ln_nutation nutation;
    ln_get_nutation(julianDay, &nutation);
    double l, b;
    EquatorialToEcliptic(ofDate.ra, ofDate.dec, nutation.ecliptic, l, b);
    EclipticToEquatorial(l + nutation.longitude, b, nutation.ecliptic + nutation.obliquity, apparent->ra,
                         apparent->dec);
    apparent->ra = ln_range_degrees(apparent->ra);  // libnova's rise and set want 0 .. 360
}

// libnova's apparent sun: its solar coordinates (VSOP87) with the aberration.
inline void LibnovaApparentSun(double julianDay, ln_equ_posn* apparent)
{
    ln_helio_posn sun;
    ln_get_solar_geom_coords(julianDay, &sun);
    OfDate(sun.L - ABERRATION / sun.R, sun.B, julianDay, apparent);
}

// Altitude and azimuth (from the north) of an apparent place at a moment.
inline SunInSky InSky(const ln_equ_posn& place, double julianDay, double latitude, double longitude)
{
    ln_lnlat_posn observer = {longitude, latitude};  // degrees east, north
    ln_equ_posn copy = place;
    ln_hrz_posn sky;
    ln_get_hrz_from_equ_sidereal_time(&copy, &observer, ln_get_apparent_sidereal_time(julianDay), &sky);
    return {sky.alt, fmod(sky.az + 180, 360)};  // libnova counts azimuth from the south
}

// An event of libnova's rise, transit and set of a body.
struct Event
{
    void (*body)(double, ln_equ_posn*);  // the body's apparent place at a Julian day
    double horizon;                      // degrees: the altitude of the centre at its rise and set
    double ln_rst_time::*which;          // rise, transit or set
};

// libnova's event (a Julian day into found) from a day of UT centred on
// near, so that it does not sit at the edge of libnova's day, where it
// wraps to another day. libnova's status: 0, or 1 (-1) where the body stays
// above (below) the horizon all that day.
inline int EventNear(const Event& event, double near, double latitude, double longitude, double& found)
{
    ln_lnlat_posn observer = {longitude, latitude};
    ln_rst_time rst;
    const int status = ln_get_body_rst_horizon_offset(near - 0.5, &observer, event.body, event.horizon, &rst, NAN);
    found = rst.*event.which;
    return status;
}

// Degrees between two directions in the sky.
inline double AngleBetween(const SunInSky& a, const SunInSky& b)
{
    double pa[3] = {cos(a.altitude * RAD) * sin(a.azimuth * RAD), cos(a.altitude * RAD) * cos(a.azimuth * RAD),
                    sin(a.altitude * RAD)};
    double pb[3] = {cos(b.altitude * RAD) * sin(b.azimuth * RAD), cos(b.altitude * RAD) * cos(b.azimuth * RAD),
                    sin(b.altitude * RAD)};
    double cross[3] = {pa[1] * pb[2] - pa[2] * pb[1], pa[2] * pb[0] - pa[0] * pb[2], pa[0] * pb[1] - pa[1] * pb[0]};
    double dot = pa[0] * pb[0] + pa[1] * pb[1] + pa[2] * pb[2];
    return atan2(sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]), dot) / RAD;
}

}  // namespace oracle
