// Frames an idle dial paints: an hour at a summer noon by the sun and a winter midnight by the full moon.
#include "dial/PictureChange.h"

#include <benchmark/benchmark.h>

namespace {

const int HOUR = 3600;                                // seconds walked by each iteration
const SunSource LJUBLJANA = {true, 14.51, 2026, 60};  // the ephemeris' sun and moon
const DialSize BIG = DialSizeFor(DialModel::Big, NATURAL_SCALE);

// The frames of an hour of the real clock from moment start, as the gadget
// asks for them: each when the last one's picture stops holding. Counts
// frames per minute, and times the asking.
void WalkAnHour(benchmark::State& state, const DialFace& face, int start)
{
    long frames = 0;
    for (auto _ : state) {
        for (int t = start; t < start + HOUR; ++frames)
            t += SecondsOfSamePicture(face, BIG, BIG.side, BIG.side, t);
    }
    state.counters["frames_per_minute"] =
        benchmark::Counter(static_cast<double>(frames) * 60 / HOUR / state.iterations());
    state.counters["asked"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

DialFace Ljubljana(bool moonFace)
{
    return {.model = DialModel::Big,
            .scalePercent = NATURAL_SCALE,
            .latitude = 46.05f,
            .sun = LJUBLJANA,
            .dateLines = false,
            .clockHours = false,
            .clockShiftHours = 0,
            .language = 0,
            .moonFace = moonFace};
}

// 11:30 to 12:30 on 21 June 2026: the sun 67 degrees high.
void BM_IdleHourAtSummerNoon(benchmark::State& state)
{
    WalkAnHour(state, Ljubljana(false), SimulatedMoment(172, 11 * HOUR + HOUR / 2));
}
BENCHMARK(BM_IdleHourAtSummerNoon)->Unit(benchmark::kMillisecond);

// 23:00 to midnight on 23 December 2026: the moon, all but full, 68
// degrees high in the south-east.
void BM_IdleHourByTheFullMoon(benchmark::State& state)
{
    WalkAnHour(state, Ljubljana(true), SimulatedMoment(357, 23 * HOUR));
}
BENCHMARK(BM_IdleHourByTheFullMoon)->Unit(benchmark::kMillisecond);

// The same hour on the night face: one frame a minute.
void BM_IdleHourOnTheNightFace(benchmark::State& state)
{
    WalkAnHour(state, Ljubljana(false), SimulatedMoment(357, 23 * HOUR));
}
BENCHMARK(BM_IdleHourOnTheNightFace)->Unit(benchmark::kMillisecond);

}  // namespace
