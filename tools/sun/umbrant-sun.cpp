// umbrant-sun: the dial's sun model from the command line.
//   umbrant-sun --lat 45 --day 172 --time 12:00 [--small]
//   umbrant-sun --lat 45 --lines
#include "dial/Solar.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const double kRadToDeg = 180 / 3.141592654;

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
    double latitude = 0, day = -1;
    int seconds = -1;
    bool haveLatitude = false, small = false, lines = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (!strcmp(arg, "--small")) {
            small = true;
        } else if (!strcmp(arg, "--lines")) {
            lines = true;
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
                        "--lat DEG --lines)", arg);
        }
    }
    if (!haveLatitude)
        return Fail("--lat is required", nullptr);
    if (lines) {
        PrintLines(latitude);
        return 0;
    }
    if (day < 0 || seconds < 0)
        return Fail("--day and --time are required (or --lines)", nullptr);

    Shadow shadow = ComputeShadow(latitude, small ? GnomonLengthSmall : GnomonLengthBig,
                                  SimulatedMoment(static_cast<int>(day), seconds));
    printf("day: %d\n", shadow.isDay ? 1 : 0);
    printf("u: %.3f\n", shadow.isDay ? shadow.u : 0.0);
    printf("v: %.3f\n", shadow.isDay ? shadow.v : 0.0);
    printf("brightness: %.4f\n", shadow.brightness);
    printf("altitude: %.3f\n", asin(shadow.sinAltitude) * kRadToDeg);
    return 0;
}
