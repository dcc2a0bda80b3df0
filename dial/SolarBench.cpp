// Benchmarks of the sun model.
#include "dial/Solar.h"

#include <benchmark/benchmark.h>

// The solar model runs once per painted frame.
static void BM_ComputeShadow(benchmark::State& state)
{
    int t = SimulatedMoment(172, 43200);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeShadow(45, GnomonLengthBig, t));
        ++t;
    }
}
BENCHMARK(BM_ComputeShadow);
