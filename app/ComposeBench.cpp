// Prints how long the host takes to compose a frame of the big dial, during
// the fade-in and at rest, and how long the program takes from its start to
// its first frame. Not a test: figures to compare, run under Wine with
//   tools/wine-run.sh win64 build/win64/app/host_compose_bench.exe
#include <stdio.h>
#include <windows.h>

#include "app/Program.h"
#include "app/UmbrantEvents.h"
#include "dial/Umbrant.h"
#include "gadget/GadgetApplication.h"
#include "settings/Strings.h"

namespace {

LARGE_INTEGER g_frequency;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    return (to.QuadPart - from.QuadPart) * 1000.0 / g_frequency.QuadPart;
}

struct Figures
{
    double total = 0, maximum = 0;
    int count = 0;
    void Add(double ms)
    {
        total += ms;
        maximum = ms > maximum ? ms : maximum;
        count++;
    }
    void Print(const char* what) const
    {
        printf("%-28s %4d frames, mean %.3f ms, max %.3f ms\n", what, count, count ? total / count : 0.0, maximum);
    }
};

bool TimedCompose(CGadgetApplication* host, bool force, Figures* figures)
{
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    bool drawn = host->Compose(force);
    QueryPerformanceCounter(&after);
    if (drawn)
        figures->Add(Milliseconds(before, after));
    return drawn;
}

}  // namespace

int main()
{
    QueryPerformanceFrequency(&g_frequency);
    LARGE_INTEGER start, created;
    QueryPerformanceCounter(&start);
    CProgramSettings settings(SETTINGS_PARENT, SETTINGS_PATH);
    settings.Load(LANGUAGE_ENGLISH, 0);
    DialSettings big = settings.Dial();
    big.isBig = true;
    settings.SetDial(big);
    CUmbrantEvents events(&settings);
    CUmbrant dial(&settings, NATURAL_SCALE);
    CGadgetApplication application(&dial, &events, "UmbrantBench", "Umbrant", LANGUAGE_ENGLISH, 12, 12,
                                   RGB(255, 255, 255), 6, 4, 1000, 0.75f, 0.15f, 0, 0, 0, 0);
    CGadgetApplication* host = &application;
    if (!host->Create(GetModuleHandleA(nullptr)))
        return 1;
    QueryPerformanceCounter(&created);
    printf("window %d x %d\n", host->m_width, host->m_height);
    printf("%-28s %.1f ms\n", "start to first frame", Milliseconds(start, created));

    Figures fadeIn, atRest;
    host->m_opacity = 0;
    host->m_lastTick = 0;
    for (int i = 0; i < 500 && host->m_opacity < 1.0f; i++) {
        Sleep(20);
        TimedCompose(host, false, &fadeIn);
    }
    for (int i = 0; i < 200; i++)
        TimedCompose(host, true, &atRest);
    fadeIn.Print("compose during fade-in");
    atRest.Print("compose at rest");

    return 0;
}
