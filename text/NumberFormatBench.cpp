// Benchmarks of the number texts.
#include "text/NumberFormat.h"

#include <benchmark/benchmark.h>

// Text of a latitude as the registry store writes it, and back.
static void BM_FormatDecimalStored(benchmark::State& state)
{
    char text[FORMAT_DECIMAL_MAX];
    float value = -90.0f;
    for (auto _ : state) {
        FormatDecimal(value, 6, '.', text);
        benchmark::DoNotOptimize(text);
        value = value < 90.0f ? value + 0.5f : -90.0f;
    }
}
BENCHMARK(BM_FormatDecimalStored);

static void BM_FormatDecimalLargest(benchmark::State& state)
{
    char text[FORMAT_DECIMAL_MAX];
    for (auto _ : state) {
        FormatDecimal(3.4e38f, 20, '.', text);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_FormatDecimalLargest);

static void BM_ReadDecimal(benchmark::State& state)
{
    double value = 0.0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadDecimal("46.499999", &value));
}
BENCHMARK(BM_ReadDecimal);
