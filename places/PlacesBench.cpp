// Benchmarks of the gazetteer: unpacking it, and the slowest of a set of searches.
#include "places/Gazetteer.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// Single letters match the most places and texts that match none read every
// name: between them they take the longest searches.
const char* const QUERIES[] = {"a",
                               "e",
                               "s",
                               "z",
                               "x",
                               "ł",
                               "ö",
                               "new",
                               "san",
                               "sao paulo",
                               "qqq",
                               "zzzzzzzzzz",
                               "los angeles county",
                               "ljub",
                               "b ",
                               "-",
                               "москва",
                               "北京",
                               "springfield il",
                               "san jose costa rica",
                               "a a a a a a a a a a a a a a a a a",
                               "santa maria de los angeles de la sierra madre oriental del norte y del sur",
                               "s s",
                               "mari"};

}  // namespace

static void BM_GazetteerUnpack(benchmark::State& state)
{
    for (auto _ : state) {
        CGazetteer gazetteer;
        benchmark::DoNotOptimize(gazetteer.PlaceCount());
    }
}
BENCHMARK(BM_GazetteerUnpack)->Unit(benchmark::kMillisecond);

// Every query each iteration; the counter "worst_ms" is the mean time of the
// slowest query, "worst_query" its place in QUERIES.
static void BM_GazetteerFindWorst(benchmark::State& state)
{
    const int queryCount = sizeof QUERIES / sizeof QUERIES[0];
    CGazetteer gazetteer;
    double total[queryCount] = {};
    for (auto _ : state) {
        for (int q = 0; q < queryCount; ++q) {
            FoundPlace found[MAX_FOUND_PLACES];
            auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(gazetteer.Find(QUERIES[q], "SI", found));
            std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            total[q] += took.count();
        }
    }
    int worst = 0;
    for (int q = 1; q < queryCount; ++q)
        worst = total[q] > total[worst] ? q : worst;
    state.counters["worst_ms"] = total[worst] / static_cast<double>(state.iterations());
    state.counters["worst_query"] = worst;
}
BENCHMARK(BM_GazetteerFindWorst)->Unit(benchmark::kMillisecond);
