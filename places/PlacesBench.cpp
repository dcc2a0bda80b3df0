// Benchmarks of the gazetteer: unpacking it, the slowest of a set of searches, and the figures of the tuning sets.
#include "places/PlaceSearch.h"
#include "places/SearchSets.h"
#include "places/SlowSearches.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

// The table's file alone: header, CRC-32 and unpacking by zlib.
static void BM_PlaceTableOpen(benchmark::State& state)
{
    const DataBytes file = BuiltInPlaceTable();
    for (auto _ : state) {
        CPlaceTable table;
        benchmark::DoNotOptimize(table.Open(file.bytes, file.size));
    }
}
BENCHMARK(BM_PlaceTableOpen)->Unit(benchmark::kMillisecond);

static void BM_GazetteerUnpack(benchmark::State& state)
{
    for (auto _ : state) {
        CGazetteer gazetteer;
        benchmark::DoNotOptimize(gazetteer.PlaceCount());
    }
}
BENCHMARK(BM_GazetteerUnpack)->Unit(benchmark::kMillisecond);

static void BM_SearchIndex(benchmark::State& state)
{
    const CGazetteer gazetteer;
    for (auto _ : state) {
        const CPlaceSearch search(gazetteer);
        benchmark::DoNotOptimize(search.IsReady());
    }
}
BENCHMARK(BM_SearchIndex)->Unit(benchmark::kMillisecond);

// Every text each iteration; the counter "worst_ms" is the mean time of the
// slowest, "worst_query" its place in SLOW_SEARCHES.
static void BM_GazetteerFindWorst(benchmark::State& state)
{
    const int queryCount = sizeof SLOW_SEARCHES / sizeof SLOW_SEARCHES[0];
    const CGazetteer gazetteer;
    const CPlaceSearch search(gazetteer);
    double total[queryCount] = {};
    for (auto _ : state) {
        for (int q = 0; q < queryCount; ++q) {
            FoundPlace found[MAX_FOUND_PLACES];
            auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(search.Find(SLOW_SEARCHES[q], SLOW_SEARCHES_HOME, found));
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

// The figures of a tuning set, once: percentages of places first by the
// fourth letter and of a name's letters typed before it is first for good,
// and how many are not first when typed whole (or not in the table).
static void BM_SearchSet(benchmark::State& state, const char* file, SetTypist typist)
{
    const CGazetteer gazetteer;
    const CPlaceSearch search(gazetteer);
    SearchSetFigures figures;
    for (auto _ : state)
        figures = MeasureSearchSet(gazetteer, search, file, typist);
    const double percent = 100;
    state.counters["places"] = figures.places;
    state.counters["first_by_4th_%"] = percent * figures.firstByFourth;
    state.counters["letters_typed_%"] = percent * figures.lettersTyped;
    state.counters["not_first_whole"] = static_cast<double>(figures.notFirstWhole.size());
    state.counters["unresolved"] = static_cast<double>(figures.unresolved.size());
    for (const std::string& miss : figures.notFirstWhole)
        fprintf(stderr, "%s: not first typed whole: %s\n", file, miss.c_str());
}
BENCHMARK_CAPTURE(BM_SearchSet, countries, "countries.tsv", SetTypist::InItsCountry)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchSet, world, "world.tsv", SetTypist::Nowhere)->Iterations(1)->Unit(benchmark::kMillisecond);
