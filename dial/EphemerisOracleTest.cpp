// The exact sun against libnova's planetary theory over moments and places from 1950 to 2100.
#include "dial/Ephemeris.h"

#include <gtest/gtest.h>
#include <libnova/libnova.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

const double RAD = 3.14159265358979323846 / 180;
const double OBLIQUITY_J2000 = 23.4392911;  // mean obliquity at J2000, degrees
const double ABERRATION = 20.4898 / 3600;   // degrees at one astronomical unit
const int SAMPLES = 4000;                   // enough to meet every season, hour and latitude
const double TOLERANCE = 0.01;              // degrees between the two directions, as promised

void EclipticToEquatorial(double lambda, double beta, double epsilon, double& ra, double& dec)
{
    double l = lambda * RAD, b = beta * RAD, e = epsilon * RAD;
    ra = atan2(sin(l) * cos(e) - tan(b) * sin(e), cos(l)) / RAD;
    dec = asin(sin(b) * cos(e) + cos(b) * sin(e) * sin(l)) / RAD;
}

void EquatorialToEcliptic(double ra, double dec, double epsilon, double& lambda, double& beta)
{
    double a = ra * RAD, d = dec * RAD, e = epsilon * RAD;
    lambda = atan2(sin(a) * cos(e) + tan(d) * sin(e), cos(a)) / RAD;
    beta = asin(sin(d) * cos(e) - cos(d) * sin(e) * sin(a)) / RAD;
}

// libnova's sun in the sky. Its solar coordinates (VSOP87) are referred to
// the ecliptic and equinox of J2000, and its ecliptic precession returns
// zeros, so the apparent place of date is built here: aberration, J2000
// equator, libnova's equatorial precession, then its nutation. The same UT
// Julian day goes everywhere, as in ComputeSunInSky.
SunInSky LibnovaSunInSky(double julianDay, double latitude, double longitude)
{
    ln_helio_posn sun;
    ln_get_solar_geom_coords(julianDay, &sun);
    ln_equ_posn j2000, ofDate;
    EclipticToEquatorial(sun.L - ABERRATION / sun.R, sun.B, OBLIQUITY_J2000, j2000.ra, j2000.dec);
    ln_get_equ_prec2(&j2000, JD2000, julianDay, &ofDate);
    ln_nutation nutation;
    ln_get_nutation(julianDay, &nutation);
    double lambda, beta;
    EquatorialToEcliptic(ofDate.ra, ofDate.dec, nutation.ecliptic, lambda, beta);
    ln_equ_posn apparent;
    EclipticToEquatorial(lambda + nutation.longitude, beta, nutation.ecliptic + nutation.obliquity, apparent.ra,
                         apparent.dec);
    ln_lnlat_posn observer = {longitude, latitude};  // degrees east, north
    ln_hrz_posn sky;
    ln_get_hrz_from_equ_sidereal_time(&apparent, &observer, ln_get_apparent_sidereal_time(julianDay), &sky);
    return {sky.alt, fmod(sky.az + 180, 360)};  // libnova counts azimuth from the south
}

double AngleBetween(const SunInSky& a, const SunInSky& b)
{
    double pa[3] = {cos(a.altitude * RAD) * sin(a.azimuth * RAD), cos(a.altitude * RAD) * cos(a.azimuth * RAD),
                    sin(a.altitude * RAD)};
    double pb[3] = {cos(b.altitude * RAD) * sin(b.azimuth * RAD), cos(b.altitude * RAD) * cos(b.azimuth * RAD),
                    sin(b.altitude * RAD)};
    double cross[3] = {pa[1] * pb[2] - pa[2] * pb[1], pa[2] * pb[0] - pa[0] * pb[2], pa[0] * pb[1] - pa[1] * pb[0]};
    double dot = pa[0] * pb[0] + pa[1] * pb[1] + pa[2] * pb[2];
    return atan2(sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]), dot) / RAD;
}

}  // namespace

TEST(EphemerisOracle, SunDirectionAgreesWithLibnova)
{
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> moment(JulianDayFromLocal(1950, 1, 0, 0), JulianDayFromLocal(2101, 1, 0, 0));
    std::uniform_real_distribution<double> latitude(-89.9, 89.9), longitude(-180, 180);
    std::vector<double> angles;
    double worst = -1, worstDay = 0, worstLatitude = 0, worstLongitude = 0;
    for (int i = 0; i < SAMPLES; ++i) {
        double jd = moment(random), lat = latitude(random), lon = longitude(random);
        double angle = AngleBetween(ComputeSunInSky(jd, lat, lon), LibnovaSunInSky(jd, lat, lon));
        angles.push_back(angle);
        if (angle > worst)
            worst = angle, worstDay = jd, worstLatitude = lat, worstLongitude = lon;
    }
    std::sort(angles.begin(), angles.end());
    printf("sun direction against libnova over %d moments 1950-2100: max %.4f, 95%% %.4f, median %.4f degrees; "
           "worst at JD %.4f, latitude %.2f, longitude %.2f\n",
           SAMPLES, worst, angles[angles.size() * 95 / 100], angles[angles.size() / 2], worstDay, worstLatitude,
           worstLongitude);
    EXPECT_LT(worst, TOLERANCE) << "worst at JD " << worstDay << ", latitude " << worstLatitude << ", longitude "
                                << worstLongitude;
}
