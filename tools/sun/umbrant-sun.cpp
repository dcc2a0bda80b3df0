// umbrant-sun: the dial's sun model from the command line. --day is the day
// of the year as almanacs number it, 1 = 1 January; --time local standard time.
//   umbrant-sun --lat 45 --day 172 --time 12:00 [--small]
//   umbrant-sun --lat 45 --lines
// The exact sun, for a year, a longitude and a time zone (minutes east of UTC):
//   umbrant-sun --exact --lat 46.05 [--lon 14.51] --year 2026 --day 15 --time 10:30 --zone 60 [--small]
//   umbrant-sun --exact [--lon 14.51] --zone 60 --year 2026 --noon
//   umbrant-sun --exact --lat 46.05 [--lon 14.51] --year 2026 --day 172 --zone 60 --times
// Where the shadow of the gnomon's tip falls, pixels of the big dial at the
// natural size from the gnomon's foot, u right and v up ("tip: none" at
// night), of either sun:
//   umbrant-sun [--exact ...] --lat 46.05 --day 172 --time 10:00 --shadow
// The moon, always from the ephemeris: its altitude as seen, azimuth and lit
// share; the day's moonrise, moonset, civil dawn and dusk ("none" where the
// day has none); the tip of its shadow:
//   umbrant-sun --moon --lat 46.05 [--lon 14.51] --year 2026 --day 3 --time 22:00 --zone 60 [--times | --shadow]
// Places (PlaceCommands.cpp): umbrant-sun --find TEXT [--country CC], umbrant-sun --guess COUNTRY ZONE
#include "common/Calendar.h"
#include "sun/Ephemeris.h"
#include "sun/Moon.h"
#include "tools/options/CommandOptions.h"
#include "tools/sun/PlaceCommands.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

const double DEGREES_PER_ZONE_MINUTE = 0.25;  // the earth turns a degree in four minutes
const int LATEST_ZONE = 14 * 60;              // the widest offsets in use, minutes east of UTC
const int EARLIEST_ZONE = -12 * 60;
const long MINUTES_PER_DAY = 24 * 60;

int Fail(const char* message, const char* usage)
{
    fprintf(stderr, "umbrant-sun: %s\n%s%s", message, usage ? usage : "", usage ? "\n" : "");
    return 2;
}

// The altitude is the sun's as the shadow sees it (the exact sun's lifted by
// refraction).
void PrintShadow(const Shadow& shadow, bool tipOnly)
{
    if (tipOnly) {
        if (shadow.isDay)
            printf("tip: %.2f %.2f\n", shadow.u, shadow.v);
        else
            printf("tip: none\n");
        return;
    }
    printf("day: %d\n", shadow.isDay ? 1 : 0);
    printf("u: %.3f\n", shadow.isDay ? shadow.u : 0.0);
    printf("v: %.3f\n", shadow.isDay ? shadow.v : 0.0);
    printf("brightness: %.4f\n", shadow.brightness);
    printf("altitude: %.3f\n", asin(shadow.sinAltitude) * RAD_TO_DEG);
}

// One line per day of the year: the date and the clock time of apparent noon.
void PrintNoonTable(int year, double longitude, int zoneMinutes)
{
    int dayOfYear = 1;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= DaysInMonth(month, year); ++day, ++dayOfYear) {
            long noon = lround(ApparentNoonSeconds(year, dayOfYear, longitude, zoneMinutes));
            long magnitude = labs(noon);
            printf("%04d-%02d-%02d %s%02ld:%02ld:%02ld\n", year, month, day, noon < 0 ? "-" : "", magnitude / 3600,
                   magnitude / 60 % 60, magnitude % 60);
        }
    }
}

// "name: HH:MM:SS" for a count of whole seconds.
void PrintSeconds(const char* name, long seconds)
{
    printf("%s: %02ld:%02ld:%02ld\n", name, seconds / 3600, seconds / 60 % 60, seconds % 60);
}

// Seconds of local time rounded to whole ones, as a clock shows them: wrapped
// into the day.
long OnClock(double seconds)
{
    return (lround(seconds) % SECONDS_PER_DAY + SECONDS_PER_DAY) % SECONDS_PER_DAY;
}

// The day's sunrise, noon, sunset and length in local time; "none" for a
// rise or set the day lacks.
void PrintSunTimes(const SunTimes& times)
{
    if (times.hasSunrise)
        PrintSeconds("sunrise", OnClock(times.sunrise));
    else
        printf("sunrise: none\n");
    PrintSeconds("noon", OnClock(times.noon));
    if (times.hasSunset)
        PrintSeconds("sunset", OnClock(times.sunset));
    else
        printf("sunset: none\n");
    PrintSeconds("daylength", lround(times.dayLength));
}

// "name: HH:MM" on the clock to the nearest minute, or "name: none".
void PrintMinute(const char* name, bool has, double seconds)
{
    if (!has) {
        printf("%s: none\n", name);
        return;
    }
    const long minute = (lround(seconds / 60) % MINUTES_PER_DAY + MINUTES_PER_DAY) % MINUTES_PER_DAY;
    printf("%s: %02ld:%02ld\n", name, minute / 60, minute % 60);
}

// The moon's line, or with times the day's moon and twilight, or with tip
// its shadow.
void PrintMoon(double latitude, double longitude, int year, int day, double seconds, int zone, bool times, bool tip,
               double gnomon)
{
    if (times) {
        const MoonTimes moon = ComputeMoonTimes(latitude, longitude, year, day, zone);
        const SunTimes civil = ComputeSunCrossings(CIVIL_TWILIGHT_ALTITUDE, latitude, longitude, year, day, zone);
        PrintMinute("moonrise", moon.hasRise, moon.rise);
        PrintMinute("moonset", moon.hasSet, moon.set);
        PrintMinute("dawn", civil.hasSunrise, civil.sunrise);
        PrintMinute("dusk", civil.hasSunset, civil.sunset);
        return;
    }
    const double jd = JulianDayFromLocal(year, day, seconds, zone);
    if (tip) {
        PrintShadow(ComputeMoonShadow(latitude, longitude, gnomon, jd), true);
        return;
    }
    const MoonInSky moon = ComputeMoonInSky(jd, latitude, longitude);
    printf("moon: %.3f %.3f %.4f\n", moon.altitude, moon.azimuth, moon.fraction);
}

void PrintLines(double latitude)
{
    for (int half = 8; half <= 40; ++half) {
        double hour = half * 0.5, sx, sy;
        HourLineDirection(hour, latitude, sx, sy);
        printf("%d:%02d %.2f\n", half / 2, half % 2 * 30, atan2(-sx, sy) * RAD_TO_DEG);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    int placeStatus = RunPlaceCommand(argc, argv);
    if (placeStatus >= 0)
        return placeStatus;
    double latitude = 0, day = 0, longitude = 0, year = 0, zone = 0, seconds = 0;
    bool latitudeGiven = false, dayGiven = false, longitudeGiven = false, yearGiven = false, zoneGiven = false,
         timeGiven = false, small = false, lines = false, exact = false, noon = false, times = false, tip = false,
         moon = false;
    const CommandOption options[] = {
        {"--lat", OPTION_NUMBER, -90, 90, &latitude, nullptr, &latitudeGiven},
        {"--day", OPTION_WHOLE, 1, 366, &day, nullptr, &dayGiven},
        {"--time", OPTION_TIME, 0, 0, &seconds, nullptr, &timeGiven},
        {"--lon", OPTION_NUMBER, -180, 180, &longitude, nullptr, &longitudeGiven},
        {"--year", OPTION_WHOLE, 1, 9999, &year, nullptr, &yearGiven},
        {"--zone", OPTION_WHOLE, EARLIEST_ZONE, LATEST_ZONE, &zone, nullptr, &zoneGiven},
        {"--small", OPTION_FLAG, 0, 0, nullptr, nullptr, &small},
        {"--lines", OPTION_FLAG, 0, 0, nullptr, nullptr, &lines},
        {"--exact", OPTION_FLAG, 0, 0, nullptr, nullptr, &exact},
        {"--noon", OPTION_FLAG, 0, 0, nullptr, nullptr, &noon},
        {"--times", OPTION_FLAG, 0, 0, nullptr, nullptr, &times},
        {"--shadow", OPTION_FLAG, 0, 0, nullptr, nullptr, &tip},
        {"--moon", OPTION_FLAG, 0, 0, nullptr, nullptr, &moon},
    };
    char error[OPTION_ERROR_MAX];
    if (!ReadCommandOptions(argc, argv, options, sizeof options / sizeof options[0], error))
        return Fail(
            error,
            "usage: --lat DEG --day N --time HH:MM [--small] | --lat DEG --lines | --exact ... --year N "
            "--zone MIN [--lon DEG] [--noon | --times] | ... --shadow | --moon ... [--times | --shadow]\n--day N: "
            "the day of the year, 1 = 1 January");
    // The model's sun stands on the zone's meridian in any year: the shadow
    // takes the place and zone options and leaves them to the exact sun. The
    // moon is the ephemeris'.
    if (moon && (exact || noon || lines))
        return Fail("--moon takes neither --exact, --noon nor --lines", nullptr);
    if (moon && (!yearGiven || !latitudeGiven || !dayGiven || (!timeGiven && !times)))
        return Fail("--moon needs --lat, --year, --day and --time (or --times)", nullptr);
    if (!exact && !moon && (noon || times || ((longitudeGiven || yearGiven || zoneGiven) && !tip)))
        return Fail("--lon, --year, --zone, --noon and --times need --exact", nullptr);
    if (exact && (lines || !yearGiven))
        return Fail("--exact needs --year and does not draw --lines", nullptr);
    if (!longitudeGiven)
        longitude = zone * DEGREES_PER_ZONE_MINUTE;
    double gnomon = small ? GNOMON_LENGTH_SMALL : GNOMON_LENGTH_BIG;
    if (moon) {
        PrintMoon(latitude, longitude, static_cast<int>(year), static_cast<int>(day), seconds, static_cast<int>(zone),
                  times, tip, gnomon);
        return 0;
    }
    if (noon) {
        PrintNoonTable(static_cast<int>(year), longitude, static_cast<int>(zone));
        return 0;
    }
    if (!latitudeGiven)
        return Fail("--lat is required", nullptr);
    if (lines) {
        PrintLines(latitude);
        return 0;
    }
    if (times && dayGiven) {
        PrintSunTimes(ComputeSunTimes(latitude, longitude, static_cast<int>(year), static_cast<int>(day),
                                      static_cast<int>(zone)));
        return 0;
    }
    if (!dayGiven || !timeGiven)
        return Fail("--day and --time are required (or --lines)", nullptr);

    if (exact) {
        double jd = JulianDayFromLocal(static_cast<int>(year), static_cast<int>(day), static_cast<int>(seconds),
                                       static_cast<int>(zone));
        PrintShadow(ComputeExactShadow(latitude, longitude, gnomon, jd), tip);
        if (!tip)
            printf("azimuth: %.3f\n", ComputeSunInSky(jd, latitude, longitude).azimuth);
        return 0;
    }
    PrintShadow(ComputeShadow(latitude, gnomon, SimulatedMoment(static_cast<int>(day), static_cast<int>(seconds))),
                tip);
    return 0;
}
