// umbrant-render: paints one dial frame, as the gadget does, into a BMP file.
//   umbrant-render [--lat 45] [--day 172] [--time 12:00] [--small] [--lang sl]
//                  [--depth 16] [--scale 2] [--frames N] [--exact [--lon 14.51] [--year 2026] [--zone 60]]
//                  -o out.bmp
// The day and time are the simulated ones of the Settings dialog (--now
// takes the clock instead); values are taken as they are, absurd ones
// included. --scale paints the dial at that multiple of its natural size,
// as on a screen of that scale (1 to 3, in steps of a percent).
// --frames paints N frames and prints the mean time of one.
// --exact places the sun by the ephemeris for that year and zone (minutes
// east of UTC; both the clock's when not given) and longitude (degrees
// east; the zone's meridian when not given).
#include "dial/DialFrame.h"
#include "dial/DialPixels.h"
#include "dial/Solar.h"
#include "platform/Clock.h"
#include "raster/BitmapSurface.h"
#include "settings/StoredValues.h"
#include "settings/Strings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The scales --scale takes, as multiples of the natural size.
const double LEAST_SCALE = 1;
const double GREATEST_SCALE = 3;

int Usage(const char* problem)
{
    fprintf(stderr,
            "umbrant-render: %s\nusage: umbrant-render [--lat DEG] [--day N] [--time HH:MM|SECONDS] [--now] "
            "[--small] [--lang en|sl] [--depth BITS] [--scale 1...3] [--frames N] [--exact [--lon DEG] [--year N] "
            "[--zone MIN]] -o out.bmp\n",
            problem);
    return 2;
}

// "HH:MM[:SS]" or a plain number of seconds (which may be out of range).
bool ParseSeconds(const char* text, int& seconds)
{
    int h, m, s = 0, used = 0;
    if (sscanf(text, "%d:%d%n:%d%n", &h, &m, &used, &s, &used) >= 2 && !text[used]) {
        seconds = h * 3600 + m * 60 + s;
        return true;
    }
    char* end;
    seconds = static_cast<int>(strtol(text, &end, 10));
    return end != text && !*end;
}

// A multiple of the natural size from LEAST_SCALE to GREATEST_SCALE, as a
// whole percent.
bool ParseScale(const char* text, int& percent)
{
    char* end;
    double scale = strtod(text, &end);
    if (end == text || *end || !(scale >= LEAST_SCALE && scale <= GREATEST_SCALE))
        return false;
    percent = static_cast<int>(std::lround(scale * NATURAL_SCALE));
    return true;
}

bool ParseInt(const char* text, int& value)
{
    char* end;
    value = static_cast<int>(strtol(text, &end, 10));
    return end != text && !*end;
}

void Put32(unsigned char* at, unsigned int value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// A 24-bit bottom-up BMP of the surface.
bool WriteBmp(const char* path, const CBitmapSurface& surface)
{
    const int width = surface.m_width, height = surface.m_height;
    const int rowBytes = (width * 3 + 3) & ~3;
    unsigned char header[54] = {'B', 'M'};
    Put32(header + 2, 54 + rowBytes * height);
    Put32(header + 10, 54);
    Put32(header + 14, 40);
    Put32(header + 18, width);
    Put32(header + 22, height);
    header[26] = 1;
    header[28] = 24;
    Put32(header + 34, rowBytes * height);
    FILE* file = fopen(path, "wb");
    if (!file)
        return false;
    bool ok = fwrite(header, 1, sizeof header, file) == sizeof header;
    unsigned char* row = static_cast<unsigned char*>(calloc(rowBytes, 1));
    for (int y = height - 1; ok && y >= 0; --y) {
        const unsigned char* p = surface.GetPixels() + y * surface.GetStride();
        for (int x = 0; x < width; ++x)
            memcpy(row + x * 3, p + x * 4, 3);
        ok = fwrite(row, 1, rowBytes, file) == static_cast<size_t>(rowBytes);
    }
    free(row);
    return fclose(file) == 0 && ok;
}

// User and kernel time of this process so far: on a busy machine a fairer
// measure of the painting than the time on the clock.
double ProcessCpuMilliseconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    ULARGE_INTEGER k = {{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u = {{user.dwLowDateTime, user.dwHighDateTime}};
    return (k.QuadPart + u.QuadPart) / 10000.0;
}

}  // namespace

int main(int argc, char** argv)
{
    float latitude = 45;
    int day = 172, seconds = 12 * 3600, depth = 0, frames = 0, scalePercent = NATURAL_SCALE;
    bool small = false, simulate = true, exact = false, longitudeGiven = false;
    const ClockReading clock = ReadSystemClock();
    int year = clock.year, zone = -clock.biasMinutes;
    double longitude = 0;
    int language = LANGUAGES[0].id;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        bool ok = true;
        if (!strcmp(arg, "--small")) {
            small = true;
            continue;
        }
        if (!strcmp(arg, "--now")) {
            simulate = false;
            continue;
        }
        if (!strcmp(arg, "--exact")) {
            exact = true;
            continue;
        }
        if (!value)
            return Usage(arg);
        if (!strcmp(arg, "--lat"))
            latitude = strtof(value, nullptr);
        else if (!strcmp(arg, "--day"))
            ok = ParseInt(value, day);
        else if (!strcmp(arg, "--time"))
            ok = ParseSeconds(value, seconds);
        else if (!strcmp(arg, "--lon")) {
            longitude = strtod(value, nullptr);
            longitudeGiven = true;
        } else if (!strcmp(arg, "--year"))
            ok = ParseInt(value, year);
        else if (!strcmp(arg, "--zone"))
            ok = ParseInt(value, zone);
        else if (!strcmp(arg, "--depth"))
            ok = ParseInt(value, depth);
        else if (!strcmp(arg, "--scale"))
            ok = ParseScale(value, scalePercent);
        else if (!strcmp(arg, "--frames"))
            ok = ParseInt(value, frames);
        else if (!strcmp(arg, "--lang"))
            language = FindLanguageByCode(value) ? FindLanguageByCode(value)->id : LANGUAGES[0].id;
        else if (!strcmp(arg, "-o"))
            output = value;
        else
            return Usage(arg);
        if (!ok)
            return Usage(value);
        ++i;
    }
    if (!output && frames <= 0)
        return Usage("no output file");

    if (!longitudeGiven)
        longitude = ZoneMeridian(-zone);
    const SunSource sun = {exact, longitude, year, zone};

    InitDialTables();
    const DialSize dialSize = DialSizeFor(!small, scalePercent);
    const int size = dialSize.side;
    HDC screen = GetDC(nullptr);
    CBitmapSurface surface(screen, size, size, nullptr);
    CDialResources resources(screen, dialSize);
    unsigned char* mask = static_cast<unsigned char*>(malloc(size * size));
    DWORD lastNightText = 0;
    int nightTextIndex = 0;
    char nightText[NIGHT_TEXT_SIZE] = "";
    const int moment = ComputeDialMoment(simulate, day, seconds, clock);
    DialFrame frame = {0,     0,    size,       size,           !small,          scalePercent, latitude, moment,
                       depth, mask, &resources, &lastNightText, &nightTextIndex, nightText,    language, sun};

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    double cpuStart = ProcessCpuMilliseconds();
    for (int i = 0; i < (frames > 0 ? frames : 1); ++i)
        PaintDialFrame(frame, surface.GetDC(), surface.GetPixels(), surface.GetStride());
    QueryPerformanceCounter(&end);
    if (frames > 0)
        printf("%d frames, %.3f ms per frame, %.3f ms of processor time\n", frames,
               (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart / frames,
               (ProcessCpuMilliseconds() - cpuStart) / frames);

    bool written = !output || WriteBmp(output, surface);
    free(mask);
    ReleaseDC(nullptr, screen);
    if (!written) {
        fprintf(stderr, "umbrant-render: cannot write %s\n", output);
        return 1;
    }
    return 0;
}
