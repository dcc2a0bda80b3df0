// Benchmarks of the gazetteer: unpacking it, and the slowest of a set of searches.
#include "places/Gazetteer.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// Single letters match the most places and texts that match none read every
// name: between them they take the longest searches.
const char* const QUERIES[] = {
    "a",    "e",  "s", "z", "x", "ł", "ö", "new", "san", "sao paulo", "qqq", "zzzzzzzzzz", "los angeles county",
    "ljub", "b ", "-"};

}  // namespace

static void BM_GazetteerUnpack(benchmark::State& state)
{
    for (auto _ : state) {
        CGazetteer gazetteer;
        benchmark::DoNotOptimize(gazetteer.PlaceCount());
    }
}
BENCHMARK(BM_GazetteerUnpack)->Unit(benchmark::kMillisecond);

// Every query each iteration; the counter "worst_ms" is the slowest single search seen.
static void BM_GazetteerFindWorst(benchmark::State& state)
{
    CGazetteer gazetteer;
    double worst = 0;
    for (auto _ : state) {
        for (const char* query : QUERIES) {
            int found[MAX_FOUND_PLACES];
            auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(gazetteer.Find(query, found));
            std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            worst = took.count() > worst ? took.count() : worst;
        }
    }
    state.counters["worst_ms"] = worst;
}
BENCHMARK(BM_GazetteerFindWorst)->Unit(benchmark::kMillisecond);
