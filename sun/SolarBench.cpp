// Benchmarks of the sun model and of the exact sun.
#include "sun/Ephemeris.h"

#include <benchmark/benchmark.h>

// The solar model runs once per painted frame.
static void BM_ComputeShadow(benchmark::State& state)
{
    int t = SimulatedMoment(172, 43200);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeShadow(45, GNOMON_LENGTH_BIG, t));
        ++t;
    }
}
BENCHMARK(BM_ComputeShadow);

// The exact sun, should a frame paint it instead.
static void BM_ComputeExactShadow(benchmark::State& state)
{
    double jd = JulianDayFromLocal(2026, 172, 43200, 60);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeExactShadow(45, 15, GNOMON_LENGTH_BIG, jd));
        jd += SECONDS_TO_DAYS;
    }
}
BENCHMARK(BM_ComputeExactShadow);
