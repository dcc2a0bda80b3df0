// The moon's place, phase, rise and set, and civil dawn and dusk, against libnova.
#include "common/Calendar.h"
#include "sun/LibnovaOracle.h"
#include "sun/Moon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

const int SAMPLES = 4000;                  // moments and places, 1950 .. 2100
const double PLACE_TOLERANCE = 0.05;       // degrees between the two directions as seen
const double FRACTION_TOLERANCE = 0.005;   // of the disc
const double ELONGATION_TOLERANCE = 0.05;  // degrees
const double EVENT_TOLERANCE = 120;        // seconds, moonrise, moonset, dawn and dusk
const double KM_PER_AU = 149597870.7;      // libnova's parallax takes the distance in astronomical units
const double LOWEST_REFRACTED = -2;        // degrees: below it the air lifts nothing either side
// Degrees of true altitude above which the moon as seen is compared: its
// edge is in sight, and the two refractions agree to 0.01 degree; lower,
// both formulas are beyond their reach.
const double LOWEST_COMPARED_SEEN = -1;
const double PRESSURE = 1010, CELSIUS = 10;  // the standard air of both refractions
const int REFRACTION_STEPS = 8;              // each gains a digit or more
const double ARCSECOND = 1 / 3600.0;         // degrees
// libnova's lunar series cut at a tenth of a microradian: fourteen times as
// fast as the whole, within 0.0001 degree of it.
const double LUNAR_PRECISION = 1e-7;

// libnova's moon (ELP 2000-82B) from the earth's centre: ecliptic and
// equinox of J2000, degrees and kilometres.
struct LibnovaMoon
{
    double longitude, latitude, distance;
};

LibnovaMoon LibnovaGeocentricMoon(double julianDay)
{
    ln_rect_posn r;
    ln_get_lunar_geo_posn(julianDay, &r, LUNAR_PRECISION);
    const double across = hypot(r.X, r.Y);
    return {atan2(r.Y, r.X) / oracle::RAD, atan2(r.Z, across) / oracle::RAD, hypot(across, r.Z)};
}

// The true altitude of a body seen at the apparent altitude: libnova's
// refraction takes the apparent one.
double Unrefracted(double apparent)
{
    return apparent - ln_get_refraction_adj(apparent, PRESSURE, CELSIUS);
}

enum Seen
{
    GEOMETRIC,
    THROUGH_THE_AIR,
};

// The moon from the place: libnova's parallax, and its refraction, turned
// round to lift a true altitude, through the air.
SunInSky LibnovaMoonSeen(double julianDay, double latitude, double longitude, Seen seen)
{
    const LibnovaMoon moon = LibnovaGeocentricMoon(julianDay);
    ln_equ_posn centre, shift;
    oracle::OfDate(moon.longitude, moon.latitude, julianDay, &centre);
    ln_lnlat_posn observer = {longitude, latitude};
    ln_get_parallax(&centre, moon.distance / KM_PER_AU, &observer, 0, julianDay, &shift);
    const ln_equ_posn place = {centre.ra + shift.ra, centre.dec + shift.dec};
    SunInSky sky = oracle::InSky(place, julianDay, latitude, longitude);
    if (seen == THROUGH_THE_AIR && sky.altitude > LOWEST_REFRACTED) {
        // The apparent altitude whose true one is the moon's, by steps.
        double apparent = sky.altitude;
        for (int i = 0; i < REFRACTION_STEPS; ++i)
            apparent += sky.altitude - Unrefracted(apparent);
        sky.altitude = apparent;
    }
    return sky;
}

// The moon's ecliptic longitude less the sun's, both of J2000, 0 .. 360.
double LibnovaElongation(double julianDay)
{
    ln_lnlat_posn sun;
    ln_get_solar_ecl_coords(julianDay, &sun);
    return Revolution(LibnovaGeocentricMoon(julianDay).longitude - sun.lng);
}

// The largest difference met and where.
struct Worst
{
    double difference = 0;
    double julianDay = 0, latitude = 0, longitude = 0;

    void Note(double d, double jd, double lat, double lon)
    {
        if (fabs(d) > fabs(difference))
            *this = {d, jd, lat, lon};
    }
};

::testing::AssertionResult Within(const char* what, const Worst& w, double tolerance)
{
    printf("  %-11s worst %+9.5f at JD %.5f, latitude %6.2f, longitude %7.2f\n", what, w.difference, w.julianDay,
           w.latitude, w.longitude);
    if (fabs(w.difference) < tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << " differs by " << w.difference << " at JD " << w.julianDay
                                         << ", latitude " << w.latitude << ", longitude " << w.longitude;
}

}  // namespace

TEST(MoonOracle, PlaceAndPhaseAgreeWithLibnova)
{
    std::mt19937 random(20270114);
    std::uniform_real_distribution<double> moment(JulianDayFromLocal(1950, 1, 0, 0), JulianDayFromLocal(2101, 1, 0, 0));
    std::uniform_real_distribution<double> latitude(-89.9, 89.9), longitude(-180, 180);
    Worst direction, seen, fraction, elongation;
    for (int i = 0; i < SAMPLES; ++i) {
        const double jd = moment(random), lat = latitude(random), lon = longitude(random);
        const MoonInSky ours = ComputeMoonInSky(jd, lat, lon);
        const SunInSky geometric = LibnovaMoonSeen(jd, lat, lon, GEOMETRIC);
        direction.Note(oracle::AngleBetween(AltitudeAndAzimuth(ComputeMoonVector(jd, lat, lon), lat), geometric), jd,
                       lat, lon);
        if (geometric.altitude > LOWEST_COMPARED_SEEN)
            seen.Note(ours.altitude - LibnovaMoonSeen(jd, lat, lon, THROUGH_THE_AIR).altitude, jd, lat, lon);
        fraction.Note(ours.fraction - ln_get_lunar_disk(jd), jd, lat, lon);
        elongation.Note(remainder(ours.elongation - LibnovaElongation(jd), 360), jd, lat, lon);
    }
    printf("the moon against libnova over %d moments 1950-2100 (degrees, share of the disc; its direction "
           "geometric, its altitude as seen):\n",
           SAMPLES);
    EXPECT_TRUE(Within("direction", direction, PLACE_TOLERANCE));
    EXPECT_TRUE(Within("seen", seen, PLACE_TOLERANCE));
    EXPECT_TRUE(Within("lit share", fraction, FRACTION_TOLERANCE));
    EXPECT_TRUE(Within("elongation", elongation, ELONGATION_TOLERANCE));
}

namespace {

const int EVENT_YEAR = 2026;
const int EVENT_DAY_STEP = 5;  // every fifth day of the year: each phase of the moon at each place
const int SCAN_STEP = 1800;    // seconds between libnova's altitudes in its search of the day
const int HALVINGS = 11;       // of the scan's step: to a second
const double RATE_STEP = 60;   // seconds either side of a crossing for its rate
// A body crossing slower than this (degrees an hour) grazes its horizon: a
// hundredth of a degree between the theories moves the crossing by minutes,
// or makes one where the other has none. There only the verdicts may differ.
const double SLOWEST_COMPARED = 1;
const double HALF_DAY = SECONDS_PER_DAY / 2;

struct Place
{
    const char* name;
    double latitude, longitude;
    int zoneMinutes;
};

// Along the middle latitudes and to the poles, north and south: Tromso and
// McMurdo in their polar night at the December and June solstices.
const Place PLACES[] = {
    {"Ljubljana", 46.05, 14.51, 60},    {"Quito", -0.18, -78.47, -300},   {"Sydney", -33.87, 151.21, 600},
    {"Ushuaia", -54.8, -68.3, -180},    {"Reykjavik", 64.15, -21.94, 0},  {"Tromso", 69.65, 18.96, 60},
    {"Longyearbyen", 78.22, 15.65, 60}, {"McMurdo", -77.85, 166.67, 720},
};

// Degrees by which the body stands above the horizon of its rise and set at
// a moment, by libnova.
typedef double (*Height)(double julianDay, double latitude, double longitude);

// The moon's upper edge above a flat horizon through the almanacs' refraction.
double MoonEdgeHeight(double julianDay, double latitude, double longitude)
{
    return LibnovaMoonSeen(julianDay, latitude, longitude, GEOMETRIC).altitude +
           ln_get_lunar_sdiam(julianDay) * ARCSECOND + HORIZON_REFRACTION;
}

// The sun's centre above civil twilight's depth.
double CivilHeight(double julianDay, double latitude, double longitude)
{
    ln_equ_posn sun;
    oracle::LibnovaApparentSun(julianDay, &sun);
    return oracle::InSky(sun, julianDay, latitude, longitude).altitude - CIVIL_TWILIGHT_ALTITUDE;
}

// A rise or set of the local day by libnova: whether the day has one, when
// (seconds of local time) and how fast the body crosses (degrees an hour).
struct Crossing
{
    bool has;
    double seconds, rate;
};

// Seconds of local time that a day's events fall in: the moon's the local
// day's, the sun's the day around its noon, as ComputeSunTimes counts them.
struct Window
{
    double from, to;
};

struct Crossings
{
    Crossing rise, set;
};

// The first rise and set in the window: libnova's heights every SCAN_STEP,
// a crossing between two of them found by halving.
Crossings LibnovaCrossings(Height height, const Place& place, int day, const Window& window)
{
    auto at = [&](double seconds) {
        return height(JulianDayFromLocal(EVENT_YEAR, day, seconds, place.zoneMinutes), place.latitude, place.longitude);
    };
    Crossings found = {};
    double before = at(window.from);
    for (double end = window.from + SCAN_STEP; end <= window.to; end += SCAN_STEP) {
        const double after = at(end);
        const bool upward = after > 0;
        Crossing& crossing = upward ? found.rise : found.set;
        if ((before > 0) != upward && !crossing.has) {
            double low = end - SCAN_STEP, high = end;
            for (int i = 0; i < HALVINGS; ++i) {
                const double middle = (low + high) / 2;
                ((at(middle) > 0) == upward ? high : low) = middle;
            }
            const double seconds = (low + high) / 2;
            const double rate = fabs(at(seconds + RATE_STEP) - at(seconds - RATE_STEP)) / (2 * RATE_STEP) * 3600;
            crossing = {true, seconds, rate};
        }
        before = after;
    }
    return found;
}

// What the comparisons of one kind of event met.
struct Tally
{
    Worst worst;
    int compared = 0, grazing = 0, none = 0;
};

// Our event of a day (has, seconds) against libnova's: the times within the
// tolerance where the body crosses briskly; where either day lacks the
// event, the other's lies at the window's edge or grazes.
void Compare(const char* name, const Place& place, int day, const Window& window, bool has, double seconds,
             const Crossing& libnova, Tally& tally)
{
    const double jd = JulianDayFromLocal(EVENT_YEAR, day, has ? seconds : libnova.seconds, place.zoneMinutes);
    if (has && libnova.has && libnova.rate >= SLOWEST_COMPARED) {
        tally.worst.Note(seconds - libnova.seconds, jd, place.latitude, place.longitude);
        ++tally.compared;
        return;
    }
    tally.none += !has && !libnova.has;
    if (has == libnova.has) {
        tally.grazing += has;
        return;
    }
    const double only = has ? seconds : libnova.seconds;
    const bool atEdge = only < window.from + EVENT_TOLERANCE || only > window.to - EVENT_TOLERANCE;
    EXPECT_TRUE(atEdge || (libnova.has && libnova.rate < SLOWEST_COMPARED))
        << name << " at " << place.name << ", day " << day << ": ours " << (has ? "at " : "none") << (has ? seconds : 0)
        << ", libnova's " << (libnova.has ? "at " : "none") << libnova.seconds << " (JD " << jd << ")";
    tally.grazing += libnova.has;
}

}  // namespace

TEST(MoonOracle, MoonriseMoonsetDawnAndDuskAgreeWithLibnova)
{
    const char* names[] = {"moonrise", "moonset", "dawn", "dusk"};
    Tally tallies[4];
    for (const Place& place : PLACES) {
        for (int day = 1; day <= DaysInYear(EVENT_YEAR); day += EVENT_DAY_STEP) {
            const MoonTimes moon =
                ComputeMoonTimes(place.latitude, place.longitude, EVENT_YEAR, day, place.zoneMinutes);
            const SunTimes civil = ComputeSunCrossings(CIVIL_TWILIGHT_ALTITUDE, place.latitude, place.longitude,
                                                       EVENT_YEAR, day, place.zoneMinutes);
            const Window localDay = {0, SECONDS_PER_DAY}, aroundNoon = {civil.noon - HALF_DAY, civil.noon + HALF_DAY};
            const Crossings moonByLibnova = LibnovaCrossings(MoonEdgeHeight, place, day, localDay);
            const Crossings civilByLibnova = LibnovaCrossings(CivilHeight, place, day, aroundNoon);
            Compare(names[0], place, day, localDay, moon.hasRise, moon.rise, moonByLibnova.rise, tallies[0]);
            Compare(names[1], place, day, localDay, moon.hasSet, moon.set, moonByLibnova.set, tallies[1]);
            Compare(names[2], place, day, aroundNoon, civil.hasSunrise, civil.sunrise, civilByLibnova.rise, tallies[2]);
            Compare(names[3], place, day, aroundNoon, civil.hasSunset, civil.sunset, civilByLibnova.set, tallies[3]);
        }
    }
    printf("moonrise, moonset, civil dawn and dusk against libnova's altitudes, every %d days of %d at %zu places "
           "(seconds):\n",
           EVENT_DAY_STEP, EVENT_YEAR, sizeof PLACES / sizeof PLACES[0]);
    for (int k = 0; k < 4; ++k) {
        printf("  %3d compared, %2d grazing, %3d days without;", tallies[k].compared, tallies[k].grazing,
               tallies[k].none);
        EXPECT_TRUE(Within(names[k], tallies[k].worst, EVENT_TOLERANCE));
    }
}
