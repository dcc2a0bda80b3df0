// The moon: ELP-2000/82 main terms, parallax, phase, shadow and the day's rise and set.
#include "sun/Moon.h"

#include "common/Calendar.h"

#include <cmath>

namespace {

const double RAD = 3.14159265358979323846 / 180;  // radians in a degree
const double MICRODEGREE = 1e-6;                  // the series' unit of longitude and latitude
const double METRE = 1e-3;                        // the series' unit of distance, in kilometres
const double MEAN_DISTANCE = 385000.56;           // kilometres, the distance series' constant term
const double EARTH_RADIUS = 6378.14;              // kilometres at the equator
const double EARTH_POLAR_RATIO = 0.99664719;      // polar radius over equatorial: the ellipsoid of the parallax
const double MOON_RADIUS = 1737.4;                // kilometres
const double ASTRONOMICAL_UNIT = 149597870.7;     // kilometres
// A principal phase is named for the day around its moment: the moon gains
// 360 degrees on the sun in a mean synodic month of 29.530589 days.
const double PRINCIPAL_PHASE_HALF_WIDTH = 360 / 29.530589 / 2;
const double QUARTER = 90;     // degrees of elongation between principal phases
const int PHASES = 8;          // the names of MoonPhase, in order of elongation
const int SEARCH_STEP = 3600;  // seconds: the moon rises and sets at most once in an hour
const int REFINEMENTS = 12;    // halvings of the step: to about a second
const int RISE_SEARCH_STEPS = SECONDS_PER_DAY / SEARCH_STEP;

// Polynomials in T, Julian centuries from J2000, to T^4; degrees.
typedef double Polynomial[5];
const Polynomial MEAN_LONGITUDE = {218.3164477, 481267.88123421, -0.0015786, 1 / 538841.0, -1 / 65194000.0};
const Polynomial MEAN_ELONGATION = {297.8501921, 445267.1114034, -0.0018819, 1 / 545868.0, -1 / 113065000.0};
const Polynomial SUN_ANOMALY = {357.5291092, 35999.0502909, -0.0001536, 1 / 24490000.0, 0};
const Polynomial MOON_ANOMALY = {134.9633964, 477198.8675055, 0.0087414, 1 / 69699.0, -1 / 14712000.0};
const Polynomial ARGUMENT_OF_LATITUDE = {93.2720950, 483202.0175233, -0.0036539, -1 / 3526000.0, 1 / 863310000.0};
// The earth's orbit's shrinking eccentricity scales the terms with the sun's
// anomaly once per multiple of it.
const Polynomial ECCENTRICITY_FACTOR = {1, -0.002516, -0.0000074, 0, 0};
// Arguments of the additive terms: Venus (A1), Jupiter (A2), the earth's
// flattening (A3).
const Polynomial A1 = {119.75, 131.849, 0, 0, 0};
const Polynomial A2 = {53.09, 479264.290, 0, 0, 0};
const Polynomial A3 = {313.45, 481266.484, 0, 0, 0};

double Evaluate(const Polynomial& c, double t)
{
    return c[0] + t * (c[1] + t * (c[2] + t * (c[3] + t * c[4])));
}

// A periodic term: multiples of the mean elongation D, the sun's and the
// moon's mean anomalies M and M', the argument of latitude F, and the
// coefficients of the sine (longitude or latitude, microdegrees) and of the
// cosine (distance, metres).
struct Term
{
    signed char d, m, mPrime, f;
    int sine, cosine;
};

// Meeus' table 47.A: longitude and distance.
const Term LONGITUDE_AND_DISTANCE[] = {
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
};

// Meeus' table 47.B: latitude (no distance).
const Term LATITUDE[] = {
    {0, 0, 0, 1, 5128122, 0}, {0, 0, 1, 1, 280602, 0},  {0, 0, 1, -1, 277693, 0}, {2, 0, 0, -1, 173237, 0},
    {2, 0, -1, 1, 55413, 0},  {2, 0, -1, -1, 46271, 0}, {2, 0, 0, 1, 32573, 0},   {0, 0, 2, 1, 17198, 0},
    {2, 0, 1, -1, 9266, 0},   {0, 0, 2, -1, 8822, 0},   {2, -1, 0, -1, 8216, 0},  {2, 0, -2, -1, 4324, 0},
    {2, 0, 1, 1, 4200, 0},    {2, 1, 0, -1, -3359, 0},  {2, -1, -1, 1, 2463, 0},  {2, -1, 0, 1, 2211, 0},
    {2, -1, -1, -1, 2065, 0}, {0, 1, -1, -1, -1870, 0}, {4, 0, -1, -1, 1828, 0},  {0, 1, 0, 1, -1794, 0},
    {0, 0, 0, 3, -1749, 0},   {0, 1, -1, 1, -1565, 0},  {1, 0, 0, 1, -1491, 0},   {0, 1, 1, 1, -1475, 0},
    {0, 1, 1, -1, -1410, 0},  {0, 1, 0, -1, -1344, 0},  {1, 0, 0, -1, -1335, 0},  {0, 0, 3, 1, 1107, 0},
    {4, 0, 0, -1, 1021, 0},   {4, 0, -1, 1, 833, 0},    {0, 0, 1, -3, 777, 0},    {4, 0, -2, 1, 671, 0},
    {2, 0, 0, -3, 607, 0},    {2, 0, 2, -1, 596, 0},    {2, -1, 1, -1, 491, 0},   {2, 0, -2, 1, -451, 0},
    {0, 0, 3, -1, 439, 0},    {2, 0, 2, 1, 422, 0},     {2, 0, -3, -1, 421, 0},   {2, 1, -1, 1, -366, 0},
    {2, 1, 0, 1, -351, 0},    {4, 0, 0, 1, 331, 0},     {2, -1, 1, 1, 315, 0},    {2, -2, 0, -1, 302, 0},
    {0, 0, 1, 3, -283, 0},    {2, 1, 1, -1, -229, 0},   {1, 1, 0, -1, 223, 0},    {1, 1, 0, 1, 223, 0},
    {0, 1, -2, -1, -220, 0},  {2, 1, -1, -1, -220, 0},  {1, 0, 1, 1, -185, 0},    {2, -1, -2, -1, 181, 0},
    {0, 1, 2, 1, -177, 0},    {4, 0, -2, -1, 176, 0},   {4, -1, -1, -1, 166, 0},  {1, 0, 1, -1, -164, 0},
    {4, 0, 1, -1, 132, 0},    {1, 0, -1, -1, -119, 0},  {4, -1, 0, -1, 115, 0},   {2, -2, 0, 1, 107, 0},
};

// The additive terms of longitude and latitude, microdegrees: Venus, Jupiter
// and the flattening of the earth.
const double VENUS_IN_LONGITUDE = 3958;         // sin A1
const double FLATTENING_IN_LONGITUDE = 1962;    // sin (L' - F)
const double JUPITER_IN_LONGITUDE = 318;        // sin A2
const double FLATTENING_IN_LATITUDE = -2235;    // sin L'
const double VENUS_IN_LATITUDE_3 = 382;         // sin A3
const double VENUS_IN_LATITUDE_1 = 175;         // sin (A1 - F) and sin (A1 + F)
const double ANOMALY_IN_LATITUDE_PLUS = 127;    // sin (L' - M')
const double ANOMALY_IN_LATITUDE_MINUS = -115;  // sin (L' + M')

// The tables' arguments take each mean argument at most this many times.
const int MOST_MULTIPLE = 4;

// The cosine and sine of the multiples -MOST_MULTIPLE .. MOST_MULTIPLE of
// an angle, by the angle-sum rule from its own: a few products in place of
// a sine for every term.
struct Multiples
{
    double cosine[2 * MOST_MULTIPLE + 1], sine[2 * MOST_MULTIPLE + 1];
};

Multiples MultiplesOf(double angle)
{
    Multiples m;
    const double c = cos(angle), s = sin(angle);
    m.cosine[MOST_MULTIPLE] = 1;
    m.sine[MOST_MULTIPLE] = 0;
    for (int k = 1; k <= MOST_MULTIPLE; ++k) {
        const int i = MOST_MULTIPLE + k;
        m.cosine[i] = m.cosine[i - 1] * c - m.sine[i - 1] * s;
        m.sine[i] = m.sine[i - 1] * c + m.cosine[i - 1] * s;
        m.cosine[MOST_MULTIPLE - k] = m.cosine[i];
        m.sine[MOST_MULTIPLE - k] = -m.sine[i];
    }
    return m;
}

// The mean arguments of a moment by their multiples.
struct Arguments
{
    Multiples d, m, mPrime, f;
    double eccentricity;  // the factor of terms with M
};

// The cosine and sine of an angle.
struct Turn
{
    double cosine, sine;
};

// The turn by k times the angle of the multiples added to turn.
void AddMultiple(Turn& turn, const Multiples& multiples, int k)
{
    const double c = multiples.cosine[MOST_MULTIPLE + k], s = multiples.sine[MOST_MULTIPLE + k];
    turn = {turn.cosine * c - turn.sine * s, turn.sine * c + turn.cosine * s};
}

// A term's argument's cosine and sine, and its factor for the earth's
// eccentricity.
Turn TermTurn(const Term& term, const Arguments& a, double& factor)
{
    const int multiple = term.m < 0 ? -term.m : term.m;
    factor = multiple == 0 ? 1 : multiple == 1 ? a.eccentricity : a.eccentricity * a.eccentricity;
    Turn turn = {1, 0};
    AddMultiple(turn, a.d, term.d);
    AddMultiple(turn, a.m, term.m);
    AddMultiple(turn, a.mPrime, term.mPrime);
    AddMultiple(turn, a.f, term.f);
    return turn;
}

// The place's position from the earth's centre in earth radii, in the frame
// of ComputeSunVector: on its meridian, at the geocentric latitude of the
// ellipsoid.
Vector3 PlaceFromCentre(double latitude)
{
    const double u = atan(EARTH_POLAR_RATIO * tan(latitude * RAD));
    return {0, cos(u), -EARTH_POLAR_RATIO * sin(u)};
}

// The moon seen from the place, and what its phase needs.
struct MoonFromPlace
{
    Vector3 direction;  // as ComputeMoonVector's
    double apparentLongitude, latitude, distance;
};

MoonFromPlace ComputeMoonFromPlace(double julianDay, double latitude, double longitude)
{
    const GeocentricMoon moon = ComputeGeocentricMoon(julianDay);
    const SkyOfDate sky = ComputeSkyOfDate(julianDay);
    const double apparentLongitude = moon.longitude + sky.nutation;
    const Vector3 unit = EquatorialToDialFrame(EclipticToEquatorial(apparentLongitude, moon.latitude, sky.obliquity),
                                               sky.siderealTime, longitude);
    const double r = moon.distance / EARTH_RADIUS;
    const Vector3 place = PlaceFromCentre(latitude);
    MoonFromPlace seen;
    seen.direction = {unit.x * r - place.x, unit.y * r - place.y, unit.z * r - place.z};
    seen.apparentLongitude = apparentLongitude;
    seen.latitude = moon.latitude;
    seen.distance = moon.distance;
    return seen;
}

// A day at a place, for the search of the moon's rise and set.
struct MoonDay
{
    double latitude, longitude;  // degrees north and east
    int year, dayOfYear, zoneMinutes;
};

// Degrees by which the moon's upper edge stands above a flat horizon, seen
// through the almanacs' refraction, at seconds of the day's local time.
double UpperEdgeAltitude(const MoonDay& day, double seconds)
{
    const Vector3 m = ComputeMoonVector(JulianDayFromLocal(day.year, day.dayOfYear, seconds, day.zoneMinutes),
                                        day.latitude, day.longitude);
    const double semidiameter = asin(MOON_RADIUS / EARTH_RADIUS / sqrt(Dot(m, m))) / RAD;
    return AltitudeAndAzimuth(m, day.latitude).altitude + semidiameter + HORIZON_REFRACTION;
}

// The moment in [before, after] at which the upper edge crosses the horizon,
// by halving: altitudeBefore has the other sign than the altitude at after.
double Crossing(const MoonDay& day, double before, double after, double altitudeBefore)
{
    for (int i = 0; i < REFINEMENTS; ++i) {
        const double middle = (before + after) / 2;
        const double altitude = UpperEdgeAltitude(day, middle);
        if ((altitude > 0) == (altitudeBefore > 0))
            before = middle, altitudeBefore = altitude;
        else
            after = middle;
    }
    return (before + after) / 2;
}

}  // namespace

GeocentricMoon ComputeGeocentricMoon(double julianDay)
{
    const double t = JulianCenturies(julianDay);
    const double meanLongitude = Evaluate(MEAN_LONGITUDE, t);
    const double mPrime = Evaluate(MOON_ANOMALY, t) * RAD, f = Evaluate(ARGUMENT_OF_LATITUDE, t) * RAD;
    const Arguments a = {MultiplesOf(Evaluate(MEAN_ELONGATION, t) * RAD), MultiplesOf(Evaluate(SUN_ANOMALY, t) * RAD),
                         MultiplesOf(mPrime), MultiplesOf(f), Evaluate(ECCENTRICITY_FACTOR, t)};
    double longitude = 0, distance = 0, latitude = 0;
    for (const Term& term : LONGITUDE_AND_DISTANCE) {
        double factor;
        const Turn turn = TermTurn(term, a, factor);
        longitude += term.sine * factor * turn.sine;
        distance += term.cosine * factor * turn.cosine;
    }
    for (const Term& term : LATITUDE) {
        double factor;
        const Turn turn = TermTurn(term, a, factor);
        latitude += term.sine * factor * turn.sine;
    }
    const double l = meanLongitude * RAD, a1 = Evaluate(A1, t) * RAD, a2 = Evaluate(A2, t) * RAD,
                 a3 = Evaluate(A3, t) * RAD;
    longitude += VENUS_IN_LONGITUDE * sin(a1) + FLATTENING_IN_LONGITUDE * sin(l - f) + JUPITER_IN_LONGITUDE * sin(a2);
    latitude += FLATTENING_IN_LATITUDE * sin(l) + VENUS_IN_LATITUDE_3 * sin(a3) +
                VENUS_IN_LATITUDE_1 * (sin(a1 - f) + sin(a1 + f)) + ANOMALY_IN_LATITUDE_PLUS * sin(l - mPrime) +
                ANOMALY_IN_LATITUDE_MINUS * sin(l + mPrime);
    GeocentricMoon moon;
    moon.longitude = Revolution(meanLongitude + longitude * MICRODEGREE);
    moon.latitude = latitude * MICRODEGREE;
    moon.distance = MEAN_DISTANCE + distance * METRE;
    return moon;
}

Vector3 ComputeMoonVector(double julianDay, double latitude, double longitude)
{
    return ComputeMoonFromPlace(julianDay, latitude, longitude).direction;
}

namespace {

// The moon in the sky of the place, seen from it as ComputeMoonFromPlace found it.
MoonInSky InSky(const MoonFromPlace& moon, double julianDay, double latitude)
{
    const SunInSky seen = AltitudeAndAzimuth(moon.direction, latitude);
    const ApparentSun sun = ComputeApparentSun(julianDay);
    MoonInSky sky;
    sky.altitude = seen.altitude + RefractionDegrees(seen.altitude);
    sky.azimuth = seen.azimuth;
    sky.elongation = Revolution(moon.apparentLongitude - sun.longitude);
    // The phase angle at the moon between the sun and the earth, from the
    // elongation and the two distances.
    const double sunDistance = sun.distance * ASTRONOMICAL_UNIT;
    const double cosElongation = cos(moon.latitude * RAD) * cos(sky.elongation * RAD);
    const double sinElongation = sqrt(1 - cosElongation * cosElongation);
    const double phaseAngle = atan2(sunDistance * sinElongation, moon.distance - sunDistance * cosElongation);
    sky.fraction = (1 + cos(phaseAngle)) / 2;
    return sky;
}

}  // namespace

MoonInSky ComputeMoonInSky(double julianDay, double latitude, double longitude)
{
    return InSky(ComputeMoonFromPlace(julianDay, latitude, longitude), julianDay, latitude);
}

Shadow ComputeMoonShadow(double latitude, double longitude, double gnomonLength, double julianDay)
{
    return ShadowOfTrueSun(latitude, gnomonLength, ComputeMoonVector(julianDay, latitude, longitude));
}

MoonOverDial ComputeMoonOverDial(double latitude, double longitude, double gnomonLength, double julianDay)
{
    const MoonFromPlace moon = ComputeMoonFromPlace(julianDay, latitude, longitude);
    return {InSky(moon, julianDay, latitude), ShadowOfTrueSun(latitude, gnomonLength, moon.direction)};
}

MoonPhase PhaseOfElongation(double elongation)
{
    const double quarters = Revolution(elongation) / QUARTER;
    const double nearest = floor(quarters + 0.5);
    if (fabs(quarters - nearest) * QUARTER < PRINCIPAL_PHASE_HALF_WIDTH)
        return static_cast<MoonPhase>(static_cast<int>(nearest) * 2 % PHASES);
    return static_cast<MoonPhase>(static_cast<int>(floor(quarters)) * 2 + 1);
}

MoonTimes ComputeMoonTimes(double latitude, double longitude, int year, int dayOfYear, int zoneMinutes)
{
    const MoonDay day = {latitude, longitude, year, dayOfYear, zoneMinutes};
    MoonTimes times = {0, 0, false, false};
    double before = UpperEdgeAltitude(day, 0);
    for (int step = 1; step <= RISE_SEARCH_STEPS; ++step) {
        const double start = (step - 1) * SEARCH_STEP, end = step * SEARCH_STEP;
        const double after = UpperEdgeAltitude(day, end);
        if (before <= 0 && after > 0 && !times.hasRise) {
            times.rise = Crossing(day, start, end, before);
            times.hasRise = true;
        } else if (before > 0 && after <= 0 && !times.hasSet) {
            times.set = Crossing(day, start, end, before);
            times.hasSet = true;
        }
        before = after;
    }
    return times;
}
