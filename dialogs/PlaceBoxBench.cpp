// Prints what the place box's first typing costs and what it keeps while
// Settings is open: the gazetteer unpacked and indexed (the best of a few
// runs), the countries' names read from Windows, and the private bytes the
// gazetteer holds. Not a test: figures to compare, run under Wine with
//   tools/wine-run.sh win32 build/win32/dialogs/place_box_bench.exe
#include <stdio.h>
#include <windows.h>

#include <psapi.h>

#include "dialogs/Places.h"

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
    double best = 0;
    SIZE_T held = 0;
    for (int run = 0; run < RUNS; ++run) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const CGazetteer gazetteer;
        QueryPerformanceCounter(&end);
        const double took = Milliseconds(start, end);
        best = run == 0 || took < best ? took : best;
        held = PrivateBytes() - before;
        if (!gazetteer.IsReady()) {
            fprintf(stderr, "place_box_bench: %s\n", PlaceTableErrorText(gazetteer.Error()));
            return 1;
        }
    }
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    const CCountryNames names;
    QueryPerformanceCounter(&end);
    printf("gazetteer unpacked and indexed: %.1f ms (best of %d)\n", best, RUNS);
    printf("countries' names read: %.1f ms\n", Milliseconds(start, end));
    printf("private bytes the gazetteer holds: %lu kB; after it is freed: %ld kB more than before\n",
           static_cast<unsigned long>(held / 1024), static_cast<long>((PrivateBytes() - before) / 1024));
    return 0;
}
