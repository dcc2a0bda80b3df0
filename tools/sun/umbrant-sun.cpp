// umbrant-sun: the dial's sun model from the command line.
//   umbrant-sun --lat 45 --day 172 --time 12:00 [--small]
//   umbrant-sun --lat 45 --lines
// The exact sun, for a year, a longitude and a time zone (minutes east of UTC):
//   umbrant-sun --exact --lat 46.05 [--lon 14.51] --year 2026 --day 15 --time 10:30 --zone 60 [--small]
//   umbrant-sun --exact [--lon 14.51] --zone 60 --year 2026 --noon
#include "common/Calendar.h"
#include "dial/Ephemeris.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const double kRadToDeg = 180 / 3.141592654;
const double kDegreesPerZoneMinute = 0.25;   // the earth turns a degree in four minutes
const int kLatestZone = 14 * 60;             // the widest offsets in use, minutes east of UTC
const int kEarliestZone = -12 * 60;

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

void PrintShadow(const Shadow& shadow, double altitude)
{
    printf("day: %d\n", shadow.isDay ? 1 : 0);
    printf("u: %.3f\n", shadow.isDay ? shadow.u : 0.0);
    printf("v: %.3f\n", shadow.isDay ? shadow.v : 0.0);
    printf("brightness: %.4f\n", shadow.brightness);
    printf("altitude: %.3f\n", altitude);
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

void PrintLines(double latitude)
{
    for (int half = 8; half <= 40; ++half) {
        double hour = half * 0.5, sx, sy;
        HourLineDirection(hour, latitude, sx, sy);
        printf("%d:%02d %.2f\n", half / 2, half % 2 * 30, atan2(-sx, sy) * kRadToDeg);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    double latitude = 0, day = -1, longitude = 0, year = 0, zone = 0;
    int seconds = -1;
    bool haveLatitude = false, small = false, lines = false;
    bool exact = false, noon = false, haveLongitude = false, haveYear = false, haveZone = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (!strcmp(arg, "--small")) {
            small = true;
        } else if (!strcmp(arg, "--lines")) {
            lines = true;
        } else if (!strcmp(arg, "--exact")) {
            exact = true;
        } else if (!strcmp(arg, "--noon")) {
            noon = true;
        } else if (!strcmp(arg, "--lon") && hasValue) {
            if (!ParseNumber(argv[++i], -180, 180, longitude))
                return Fail("longitude must be a number from -180 to 180", argv[i]);
            haveLongitude = true;
        } else if (!strcmp(arg, "--year") && hasValue) {
            if (!ParseNumber(argv[++i], 1, 9999, year) || year != floor(year))
                return Fail("year must be a whole number from 1 to 9999", argv[i]);
            haveYear = true;
        } else if (!strcmp(arg, "--zone") && hasValue) {
            if (!ParseNumber(argv[++i], kEarliestZone, kLatestZone, zone) || zone != floor(zone))
                return Fail("zone must be whole minutes east of UTC, -720 to 840", argv[i]);
            haveZone = true;
        } else if (!strcmp(arg, "--lat") && hasValue) {
            if (!ParseNumber(argv[++i], -90, 90, latitude))
                return Fail("latitude must be a number from -90 to 90", argv[i]);
            haveLatitude = true;
        } else if (!strcmp(arg, "--day") && hasValue) {
            if (!ParseNumber(argv[++i], 0, 366, day) || day != floor(day))
                return Fail("day must be a whole number from 0 to 366", argv[i]);
        } else if (!strcmp(arg, "--time") && hasValue) {
            if (!ParseTime(argv[++i], seconds))
                return Fail("time must be HH:MM or HH:MM:SS, 00:00 to 24:00", argv[i]);
        } else {
            return Fail("unknown or incomplete argument (usage: --lat DEG --day N --time HH:MM [--small] | "
                        "--lat DEG --lines | --exact ... --year N --zone MIN [--lon DEG] [--noon])", arg);
        }
    }
    if (!exact && (noon || haveLongitude || haveYear || haveZone))
        return Fail("--lon, --year, --zone and --noon need --exact", nullptr);
    if (exact && (lines || !haveYear))
        return Fail("--exact needs --year and does not draw --lines", nullptr);
    if (!haveLongitude)
        longitude = zone * kDegreesPerZoneMinute;
    if (noon) {
        PrintNoonTable(static_cast<int>(year), longitude, static_cast<int>(zone));
        return 0;
    }
    if (!haveLatitude)
        return Fail("--lat is required", nullptr);
    if (lines) {
        PrintLines(latitude);
        return 0;
    }
    if (day < 0 || seconds < 0)
        return Fail("--day and --time are required (or --lines)", nullptr);

    double gnomon = small ? GnomonLengthSmall : GnomonLengthBig;
    if (exact) {
        double jd = JulianDayFromLocal(static_cast<int>(year), static_cast<int>(day), seconds, static_cast<int>(zone));
        SunInSky sky = ComputeSunInSky(jd, latitude, longitude);
        PrintShadow(ComputeExactShadow(latitude, longitude, gnomon, jd), sky.altitude);
        printf("azimuth: %.3f\n", sky.azimuth);
        return 0;
    }
    Shadow shadow = ComputeShadow(latitude, gnomon, SimulatedMoment(static_cast<int>(day), seconds));
    PrintShadow(shadow, asin(shadow.sinAltitude) * kRadToDeg);
    return 0;
}
