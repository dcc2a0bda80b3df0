// umbrant-render: paints one dial frame, as the gadget does, into a BMP file.
//   umbrant-render [--lat 45] [--day 172] [--time 12:00] [--small] [--lang sl]
//                  [--depth 16] [--scale 2] [--frames N] [--exact [--lon 14.51] [--year 2026] [--zone 60]]
//                  [--date-lines] [--clock-hours] [--moon-face] -o out.bmp
// --day is the day of the year as almanacs number it, 1 = 1 January; with
// --time, local standard time, it is the simulated moment (--now takes the
// clock instead); every value is held to the range the Settings dialog
// reaches, and one outside it is refused. --scale paints the dial at that multiple of its natural size,
// as on a screen of that scale (1 to 3, in steps of a percent).
// --frames paints N frames and prints the mean time of one.
// --exact places the sun by the ephemeris for that year and zone (minutes
// east of UTC; both the clock's when not given) and longitude (degrees
// east; the zone's meridian when not given).
// --date-lines draws the date lines, --clock-hours the figure-eights of the
// hours of the zone's standard time in place of the sun's hour lines.
// --moon-face lights the face by the moon while the sun is down and the
// moon up: the moon of the ephemeris for the year, zone and longitude.
#include "dial/DialFrame.h"
#include "dial/NightText.h"
#include "dial/DialPixels.h"
#include "dial/Moonlight.h"
#include "sun/Solar.h"
#include "platform/Clock.h"
#include "raster/BitmapSurface.h"
#include "tools/options/CommandOptions.h"
#include "settings/StoredValues.h"
#include "text/Strings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The scales --scale takes, as multiples of the natural size.
const double LEAST_SCALE = 1;
const double GREATEST_SCALE = 3;

// The display depths --depth paints for, bits a pixel.
const int DEPTHS[] = {8, 15, 16, 24, 32};

int Usage(const char* problem)
{
    fprintf(stderr,
            "umbrant-render: %s\nusage: umbrant-render [--lat DEG] [--day N] [--time HH:MM|SECONDS] [--now] "
            "[--small] [--lang en|sl] [--depth 8|15|16|24|32] [--scale 1...3] [--frames N] [--exact [--lon DEG] "
            "[--year N] [--zone MIN]] [--date-lines] [--clock-hours] [--moon-face] -o out.bmp\n--day N: the day of the "
            "year, 1 = "
            "1 January\n",
            problem);
    return 2;
}

// "--lang must be one of en, sl: de" and the like, into error.
void ChoiceError(const char* option, const char* choices, const char* value, char (&error)[OPTION_ERROR_MAX])
{
    char shown[SHOWN_ARGUMENT_MAX];
    ShowArgument(value, shown);
    snprintf(error, OPTION_ERROR_MAX, "%s must be one of %s: %s", option, choices, shown);
}

void Put32(unsigned char* at, unsigned int value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// A 24-bit bottom-up BMP of the surface.
bool WriteBmp(const char* path, const CBitmapSurface& surface)
{
    const int width = surface.Width(), height = surface.Height();
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
    const ClockReading clock = ReadSystemClock();
    double latitude = 45, day = 172, seconds = 12 * 3600, depth = 0, frames = 0, scale = 1;
    double year = clock.year, zone = -clock.biasMinutes, longitude = 0;
    bool small = false, now = false, exact = false, longitudeGiven = false, depthGiven = false;
    bool dateLines = false, clockHours = false, moonFace = false;
    const char* languageCode = LANGUAGES[0].code;
    const char* output = nullptr;
    const CommandOption options[] = {
        {"--lat", OPTION_NUMBER, -90, 90, &latitude, nullptr, nullptr},
        {"--day", OPTION_WHOLE, 1, 366, &day, nullptr, nullptr},
        {"--time", OPTION_TIME, 0, 0, &seconds, nullptr, nullptr},
        {"--lon", OPTION_NUMBER, -180, 180, &longitude, nullptr, &longitudeGiven},
        {"--year", OPTION_WHOLE, 1, 9999, &year, nullptr, nullptr},
        {"--zone", OPTION_WHOLE, -12 * 60, 14 * 60, &zone, nullptr, nullptr},
        {"--depth", OPTION_WHOLE, 1, 32, &depth, nullptr, &depthGiven},
        {"--scale", OPTION_NUMBER, LEAST_SCALE, GREATEST_SCALE, &scale, nullptr, nullptr},
        {"--frames", OPTION_WHOLE, 1, 100000, &frames, nullptr, nullptr},
        {"--lang", OPTION_TEXT, 0, 0, nullptr, &languageCode, nullptr},
        {"-o", OPTION_TEXT, 0, 0, nullptr, &output, nullptr},
        {"--small", OPTION_FLAG, 0, 0, nullptr, nullptr, &small},
        {"--now", OPTION_FLAG, 0, 0, nullptr, nullptr, &now},
        {"--exact", OPTION_FLAG, 0, 0, nullptr, nullptr, &exact},
        {"--date-lines", OPTION_FLAG, 0, 0, nullptr, nullptr, &dateLines},
        {"--clock-hours", OPTION_FLAG, 0, 0, nullptr, nullptr, &clockHours},
        {"--moon-face", OPTION_FLAG, 0, 0, nullptr, nullptr, &moonFace},
    };
    char error[OPTION_ERROR_MAX];
    if (!ReadCommandOptions(argc, argv, options, sizeof options / sizeof options[0], error))
        return Usage(error);
    const Language* language = FindLanguageByCode(languageCode);
    if (!language) {
        ChoiceError("--lang", "en, sl", languageCode, error);
        return Usage(error);
    }
    bool depthKnown = !depthGiven;
    for (int known : DEPTHS)
        depthKnown = depthKnown || depth == known;
    if (!depthKnown) {
        char value[32];
        snprintf(value, sizeof value, "%g", depth);
        ChoiceError("--depth", "8, 15, 16, 24, 32", value, error);
        return Usage(error);
    }
    if (!output && frames <= 0)
        return Usage("no output file");

    if (!longitudeGiven)
        longitude = ZoneMeridian(static_cast<int>(-zone));

    InitDialTables();
    const DialFace face = {
        .model = small ? DialModel::Small : DialModel::Big,
        .scalePercent = static_cast<int>(std::lround(scale * NATURAL_SCALE)),
        .latitude = static_cast<float>(latitude),
        .sun = {.exact = exact,
                .longitude = longitude,
                .year = static_cast<int>(year),
                .zoneMinutes = static_cast<int>(zone)},
        .dateLines = dateLines,
        .clockHours = clockHours,
        .clockShiftHours = 0,  // the hours of standard time
        .language = language->id,
        .moonFace = moonFace,
    };
    const DialSize dialSize = DialSizeFor(face.model, face.scalePercent);
    const int size = dialSize.side;
    CWindowDC screen(nullptr);
    CBitmapSurface surface(screen.Get(), size, size, nullptr);
    CDialResources resources(screen.Get(), dialSize);
    unsigned char* mask = static_cast<unsigned char*>(malloc(size * size));
    const int moment = now ? MomentFromClock(clock) : SimulatedMoment(static_cast<int>(day), static_cast<int>(seconds));
    // The same text for every run: the dial's random numbers from a fixed seed.
    CNightText nightText(0);
    // Frames after the first copy the markings, as the gadget's do.
    CKeptMarkings markings;
    const PixelRect dial = {0, 0, size, size};
    nightText.Update(ComputeFaceLight(face, dialSize, dial, moment).lighting != Lighting::NONE, moment, face.language,
                     timeGetTime());
    const DialFrame frame = {
        .dial = dial,
        .face = face,
        .moment = moment,
        .displayBits = depthGiven ? static_cast<int>(depth) : DEVICE_DEPTH,
        .shadowMask = mask,
        .resources = &resources,
        .nightText = nightText.Text(),
        .markings = &markings,
    };

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    double cpuStart = ProcessCpuMilliseconds();
    const int frameCount = frames > 0 ? static_cast<int>(frames) : 1;
    for (int i = 0; i < frameCount; ++i)
        PaintDialFrame(frame, surface.GetDC(), surface.View());
    QueryPerformanceCounter(&end);
    if (frames > 0)
        printf("%d frames, %.3f ms per frame, %.3f ms of processor time\n", frameCount,
               (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart / frameCount,
               (ProcessCpuMilliseconds() - cpuStart) / frameCount);

    bool written = !output || WriteBmp(output, surface);
    free(mask);
    if (!written) {
        char shown[SHOWN_ARGUMENT_MAX];
        ShowArgument(output, shown);
        fprintf(stderr, "umbrant-render: cannot write %s\n", shown);
        return 1;
    }
    return 0;
}
