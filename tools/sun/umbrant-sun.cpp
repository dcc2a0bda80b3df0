// umbrant-sun: the dial's sun model from the command line.
//   umbrant-sun --lat 45 --day 172 --time 12:00 [--small]
//   umbrant-sun --lat 45 --lines
// The exact sun, for a year, a longitude and a time zone (minutes east of UTC):
//   umbrant-sun --exact --lat 46.05 [--lon 14.51] --year 2026 --day 15 --time 10:30 --zone 60 [--small]
//   umbrant-sun --exact [--lon 14.51] --zone 60 --year 2026 --noon
//   umbrant-sun --exact --lat 46.05 [--lon 14.51] --year 2026 --day 172 --zone 60 --times
// Places (PlaceCommands.cpp): umbrant-sun --find TEXT, umbrant-sun --guess COUNTRY ZONE
#include "common/Calendar.h"
#include "dial/Ephemeris.h"
#include "tools/sun/PlaceCommands.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const double DEGREES_PER_ZONE_MINUTE = 0.25;  // the earth turns a degree in four minutes
const int LATEST_ZONE = 14 * 60;              // the widest offsets in use, minutes east of UTC
const int EARLIEST_ZONE = -12 * 60;

int Fail(const char* message, const char* argument)
{
    fprintf(stderr, "umbrant-sun: %s%s%s\n", message, argument ? ": " : "", argument ? argument : "");
    return 2;
}

bool ParseNumber(const char* text, double lowest, double highest, double& value)
{
    char* end = nullptr;
    value = strtod(text, &end);
    return end != text && *end == '\0' && value >= lowest && value <= highest;
}

// "H:MM" or "HH:MM[:SS]" to seconds of the day, 00:00 .. 24:00.
bool ParseTime(const char* text, int& seconds)
{
    int h = 0, m = 0, s = 0, used = 0;
    int fields = sscanf(text, "%2d:%2d%n:%2d%n", &h, &m, &used, &s, &used);
    if (fields < 2 || text[used] != '\0' || h < 0 || m < 0 || m > 59 || s < 0 || s > 59)
        return false;
    seconds = h * 3600 + m * 60 + s;
    return seconds <= 86400;
}

// The altitude is the sun's as the shadow sees it (the exact sun's lifted by
// refraction).
void PrintShadow(const Shadow& shadow)
{
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

void PrintLines(double latitude)
{
    for (int half = 8; half <= 40; ++half) {
        double hour = half * 0.5, sx, sy;
        HourLineDirection(hour, latitude, sx, sy);
        printf("%d:%02d %.2f\n", half / 2, half % 2 * 30, atan2(-sx, sy) * RAD_TO_DEG);
    }
}

// A command-line option taking a number; given turns true when it appears.
struct NumberOption
{
    const char* name;
    double lowest, highest;
    bool whole;
    const char* complaint;
    double value;
    bool given;
};

}  // namespace

int main(int argc, char** argv)
{
    int placeStatus = RunPlaceCommand(argc, argv);
    if (placeStatus >= 0)
        return placeStatus;
    NumberOption latitude = {"--lat", -90, 90, false, "latitude must be a number from -90 to 90", 0, false};
    NumberOption day = {"--day", 0, 366, true, "day must be a whole number from 0 to 366", 0, false};
    NumberOption longitude = {"--lon", -180, 180, false, "longitude must be a number from -180 to 180", 0, false};
    NumberOption year = {"--year", 1, 9999, true, "year must be a whole number from 1 to 9999", 0, false};
    NumberOption zone = {
        "--zone", EARLIEST_ZONE, LATEST_ZONE, true, "zone must be whole minutes east of UTC, -720 to 840", 0, false};
    NumberOption* numbers[] = {&latitude, &day, &longitude, &year, &zone};
    int seconds = -1;
    bool small = false, lines = false, exact = false, noon = false, times = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        bool hasValue = i + 1 < argc;
        NumberOption* number = nullptr;
        for (NumberOption* n : numbers) {
            if (!strcmp(arg, n->name) && hasValue)
                number = n;
        }
        if (number) {
            number->given = ParseNumber(argv[++i], number->lowest, number->highest, number->value);
            if (!number->given || (number->whole && number->value != floor(number->value)))
                return Fail(number->complaint, argv[i]);
        } else if (!strcmp(arg, "--small")) {
            small = true;
        } else if (!strcmp(arg, "--lines")) {
            lines = true;
        } else if (!strcmp(arg, "--exact")) {
            exact = true;
        } else if (!strcmp(arg, "--noon")) {
            noon = true;
        } else if (!strcmp(arg, "--times")) {
            times = true;
        } else if (!strcmp(arg, "--time") && hasValue) {
            if (!ParseTime(argv[++i], seconds))
                return Fail("time must be HH:MM or HH:MM:SS, 00:00 to 24:00", argv[i]);
        } else {
            return Fail("unknown or incomplete argument (usage: --lat DEG --day N --time HH:MM [--small] | "
                        "--lat DEG --lines | --exact ... --year N --zone MIN [--lon DEG] [--noon | --times])",
                        arg);
        }
    }
    if (!exact && (noon || times || longitude.given || year.given || zone.given))
        return Fail("--lon, --year, --zone, --noon and --times need --exact", nullptr);
    if (exact && (lines || !year.given))
        return Fail("--exact needs --year and does not draw --lines", nullptr);
    if (!longitude.given)
        longitude.value = zone.value * DEGREES_PER_ZONE_MINUTE;
    if (noon) {
        PrintNoonTable(static_cast<int>(year.value), longitude.value, static_cast<int>(zone.value));
        return 0;
    }
    if (!latitude.given)
        return Fail("--lat is required", nullptr);
    if (lines) {
        PrintLines(latitude.value);
        return 0;
    }
    if (times && day.given) {
        PrintSunTimes(ComputeSunTimes(latitude.value, longitude.value, static_cast<int>(year.value),
                                      static_cast<int>(day.value), static_cast<int>(zone.value)));
        return 0;
    }
    if (!day.given || seconds < 0)
        return Fail("--day and --time are required (or --lines)", nullptr);

    double gnomon = small ? GNOMON_LENGTH_SMALL : GNOMON_LENGTH_BIG;
    if (exact) {
        double jd = JulianDayFromLocal(static_cast<int>(year.value), static_cast<int>(day.value), seconds,
                                       static_cast<int>(zone.value));
        PrintShadow(ComputeExactShadow(latitude.value, longitude.value, gnomon, jd));
        printf("azimuth: %.3f\n", ComputeSunInSky(jd, latitude.value, longitude.value).azimuth);
        return 0;
    }
    PrintShadow(ComputeShadow(latitude.value, gnomon, SimulatedMoment(static_cast<int>(day.value), seconds)));
    return 0;
}
