// Prints how long the host takes to compose a frame of the big dial at 100 %
// and 200 %: a frame whose dial is unchanged (a drag, a fade, a hover) and one
// whose dial is painted afresh, without and with the date lines and the
// clock's hours. Not a test: figures to compare, run under Wine with
//   tools/wine-run.sh win32 build/win32/app/host_compose_bench.exe
#include <stdio.h>
#include <windows.h>

#include "app/Program.h"
#include "app/UmbrantEvents.h"
#include "dial/Umbrant.h"
#include "gadget/GadgetApplication.h"
#include "text/Strings.h"

namespace {

const int FRAMES = 200;
const int SCALES[] = {100, 200};
const HostStyle STYLE = {L"UmbrantBench", L"Umbrant",    RGB(255, 255, 255), 6, 4, 0.75f, 0.15f, 1000,
                         POSITION_UNSET,  POSITION_UNSET};

// The mean milliseconds of a frame, the dial changed before each or not.
double MeanFrame(CGadgetApplication& host, bool changed)
{
    LARGE_INTEGER frequency, before, after;
    QueryPerformanceFrequency(&frequency);
    double total = 0;
    for (int i = 0; i < FRAMES; i++) {
        if (changed)
            host.ContentChanged();
        QueryPerformanceCounter(&before);
        host.DrawFrame();
        QueryPerformanceCounter(&after);
        total += (after.QuadPart - before.QuadPart) * 1000.0 / frequency.QuadPart;
    }
    return total / FRAMES;
}

}  // namespace

int main()
{
    for (int scale : SCALES) {
        for (bool lines : {false, true}) {
            CProgramSettings settings(SETTINGS_PARENT, SETTINGS_PATH);
            settings.Load(LANGUAGE_ENGLISH, 0);
            DialSettings big = settings.Dial();
            big.isBig = true;
            big.dateLines = big.clockHours = lines;
            settings.SetDial(big);
            CUmbrantEvents events(&settings);
            CUmbrant dial(&settings, scale);
            CGadgetApplication host(&dial, &events, STYLE);
            if (!host.Create(GetModuleHandleA(nullptr)))
                return 1;
            // At rest, after the fade-in.
            while (host.Frames().Opacity() < 1.0f) {
                Sleep(CFrameScheduler::ANIMATION_PERIOD_MS);
                host.DrawFrame();
            }
            const char* shown = lines ? "lines on" : "lines off";
            printf("compose %d%% %s unchanged: mean %.2f ms\n", scale, shown, MeanFrame(host, false));
            printf("compose %d%% %s changed: mean %.2f ms\n", scale, shown, MeanFrame(host, true));
        }
    }
    return 0;
}
