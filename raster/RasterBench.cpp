// Benchmarks of the pixel routines.
#include "raster/AntialiasedLine.h"
#include "raster/BlendTables.h"
#include "raster/FrameShading.h"
#include "raster/RotatedImage.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

// The big window's frame.
const int FRAME_SIZE = 462;
const int FRAME_BYTES = FRAME_SIZE * FRAME_SIZE * 4;

std::vector<unsigned char> Picture(int width, int height, unsigned int seed)
{
    std::vector<unsigned char> bytes(static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < bytes.size(); ++i) {
        seed = seed * 1103515245 + 12345;
        bytes[i] = static_cast<unsigned char>(seed >> 16);
    }
    return bytes;
}

// CPU time of this thread, so that other processes on the machine do not count.
double CpuSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

// Time of one memcpy of the frame, measured once per run as the yardstick.
double MemcpySeconds()
{
    static double seconds = 0;
    if (seconds == 0) {
        std::vector<unsigned char> from = Picture(FRAME_SIZE, FRAME_SIZE, 1), to(FRAME_BYTES);
        const int repeats = 1000;
        const double start = CpuSeconds();
        for (int i = 0; i < repeats; ++i) {
            std::memcpy(to.data(), from.data(), FRAME_BYTES);
            benchmark::ClobberMemory();
        }
        seconds = (CpuSeconds() - start) / repeats;
    }
    return seconds;
}

// Runs one whole-frame effect and reports its time per call against memcpy.
template <typename Effect> void RunAgainstMemcpy(benchmark::State& state, Effect effect)
{
    std::vector<unsigned char> dst = Picture(FRAME_SIZE, FRAME_SIZE, 2);
    const std::vector<unsigned char> src = Picture(FRAME_SIZE, FRAME_SIZE, 3);
    InitBlendTables();
    const double start = CpuSeconds();
    for (auto _ : state) {
        effect(dst.data(), src.data());
        benchmark::ClobberMemory();
    }
    const double perCall = (CpuSeconds() - start) / state.iterations();
    state.counters["memcpy_us"] = MemcpySeconds() * 1e6;
    state.counters["x_memcpy"] = perCall / MemcpySeconds();
}

void BM_FrameMemcpy(benchmark::State& state)
{
    std::vector<unsigned char> from = Picture(FRAME_SIZE, FRAME_SIZE, 1), to(FRAME_BYTES);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), FRAME_BYTES);
        benchmark::ClobberMemory();
    }
}

void BM_BlendTranslucent(benchmark::State& state)
{
    RunAgainstMemcpy(state, [](unsigned char* dst, const unsigned char* src) {
        BlendTranslucent(dst, src, FRAME_SIZE, FRAME_SIZE, 0.5f);
    });
}

void BM_ShadeRoundedBevel(benchmark::State& state)
{
    RunAgainstMemcpy(state, [](unsigned char* dst, const unsigned char* src) {
        ShadeRoundedBevel(dst, src, FRAME_SIZE, FRAME_SIZE, 6, 4, 0.5f);
    });
}

// One 24 x 24 numeral cut from a 256 x 96 picture of 32 x 32 cells.
void BM_DrawRotatedNumeral(benchmark::State& state)
{
    std::vector<unsigned char> dial = Picture(450, 450, 4);
    const std::vector<unsigned char> numerals = Picture(256, 96, 5);
    InitBlendTables();
    float angle = 37.0f;
    for (auto _ : state) {
        DrawRotatedImage({dial.data(), 450 * 4, 450, 450, {0, 0, 450, 450}}, {300, 120, 12, 12, angle},
                         {numerals.data(), 256 * 4, 256, 96}, {5 * 32, 32, 32.0f, 32.0f});
        benchmark::ClobberMemory();
        angle += 0.25f;
    }
}

// 33 hour lines of about 90 pixels, spread around the dial's centre.
void BM_DrawHourLines(benchmark::State& state)
{
    std::vector<unsigned char> dial = Picture(450, 450, 6);
    const PixelView view = {dial.data(), 450 * 4, 450, 450, {0, 0, 450, 450}};
    int ends[33][4];
    for (int i = 0; i < 33; ++i) {
        const double angle = i * 3.141592654 / 32;
        ends[i][0] = 225 + static_cast<int>(120 * std::cos(angle));
        ends[i][1] = 225 - static_cast<int>(120 * std::sin(angle));
        ends[i][2] = 225 + static_cast<int>(210 * std::cos(angle));
        ends[i][3] = 225 - static_cast<int>(210 * std::sin(angle));
    }
    for (auto _ : state) {
        for (const int* e : ends)
            DrawAntialiasedLine(view, e[0], e[1], e[2], e[3], 0xC0C0C0);
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(BM_FrameMemcpy);
BENCHMARK(BM_BlendTranslucent);
BENCHMARK(BM_ShadeRoundedBevel);
BENCHMARK(BM_DrawRotatedNumeral);
BENCHMARK(BM_DrawHourLines);
