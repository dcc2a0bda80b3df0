// Prints what the place box makes ready when Settings opens, on a thread
// of its own, and what it keeps while Settings is open: the gazetteer
// unpacked and its words indexed (the best of a few runs, and of those the
// table's file alone: its checksum and zlib), the countries' names read
// from Windows, the private bytes the gazetteer and its search hold, and
// the slowest of the searches that take longest. Not a test: figures to compare, run under Wine
// with
//   tools/wine-run.sh win32 build/win32/dialogs/place_box_bench.exe
#include <stdio.h>
#include <windows.h>

#include <psapi.h>

#include "dialogs/Places.h"
#include "places/SlowSearches.h"

namespace {

const int RUNS = 5;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The process's private bytes (its page-file share, which Wine counts as such).
SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

}  // namespace

int main()
{
    const SIZE_T before = PrivateBytes();
    // The best of the runs: the whole, and its two parts; the best of the
    // table's file opened alone.
    double best = 0, bestUnpacking = 0, bestIndexing = 0, bestOpening = 0;
    SIZE_T held = 0, heldByTable = 0;
    const DataBytes file = BuiltInPlaceTable();
    for (int run = 0; run < RUNS; ++run) {
        LARGE_INTEGER start, unpacked, end;
        QueryPerformanceCounter(&start);
        {
            CPlaceTable table;
            table.Open(file.bytes, file.size);
        }
        QueryPerformanceCounter(&end);
        const double opening = Milliseconds(start, end);
        bestOpening = run == 0 || opening < bestOpening ? opening : bestOpening;
        QueryPerformanceCounter(&start);
        const CGazetteer gazetteer;
        QueryPerformanceCounter(&unpacked);
        const SIZE_T table = PrivateBytes() - before;
        const CPlaceSearch search(gazetteer);
        QueryPerformanceCounter(&end);
        const double took = Milliseconds(start, end);
        if (run == 0 || took < best) {
            best = took;
            bestUnpacking = Milliseconds(start, unpacked);
            bestIndexing = Milliseconds(unpacked, end);
        }
        held = PrivateBytes() - before;
        heldByTable = table;
        if (!gazetteer.IsReady() || !search.IsReady()) {
            fprintf(stderr, "place_box_bench: %s\n", PlaceTableErrorText(gazetteer.Error()));
            return 1;
        }
    }
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    const CCountryNames names;
    QueryPerformanceCounter(&end);
    printf("gazetteer unpacked and indexed: %.1f ms (best of %d: unpacked %.1f ms, its words indexed %.1f ms; "
           "the table's file alone opened in %.1f ms)\n",
           best, RUNS, bestUnpacking, bestIndexing, bestOpening);
    printf("countries' names read: %.1f ms\n", Milliseconds(start, end));
    printf("private bytes the gazetteer and its search hold: %lu kB (the gazetteer %lu kB, the search %lu kB); "
           "after they are freed: %ld kB more than before\n",
           static_cast<unsigned long>(held / 1024), static_cast<unsigned long>(heldByTable / 1024),
           static_cast<unsigned long>((held - heldByTable) / 1024),
           static_cast<long>((PrivateBytes() - before) / 1024));
    // Each search at its best of the runs.
    const CGazetteer gazetteer;
    const CPlaceSearch search(gazetteer);
    double slowest = 0;
    const char* slowestText = "";
    for (const char* text : SLOW_SEARCHES) {
        double fastest = 0;
        for (int run = 0; run < RUNS; ++run) {
            FoundPlace found[MAX_FOUND_PLACES];
            QueryPerformanceCounter(&start);
            search.Find(text, SLOW_SEARCHES_HOME, found);
            QueryPerformanceCounter(&end);
            fastest = run == 0 || Milliseconds(start, end) < fastest ? Milliseconds(start, end) : fastest;
        }
        if (fastest > slowest) {
            slowest = fastest;
            slowestText = text;
        }
    }
    printf("the slowest search: %.1f ms (\"%s\", best of %d)\n", slowest, slowestText, RUNS);
    return 0;
}
