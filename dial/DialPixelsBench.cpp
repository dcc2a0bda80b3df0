// Benchmarks of the dial's per-pixel steps.
#include "dial/DialPixels.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const int DIAL_SIDE = 450;

// A white face with a dark band from the centre down, as at summer noon.
std::vector<unsigned char> NoonFace()
{
    std::vector<unsigned char> pixels(DIAL_SIDE * DIAL_SIDE * 4, 255);
    for (int y = DIAL_SIDE / 2; y < DIAL_SIDE / 2 + 123; ++y)
        for (int x = DIAL_SIDE / 2 - 9; x < DIAL_SIDE / 2 + 9; ++x)
            pixels[(y * DIAL_SIDE + x) * 4] = pixels[(y * DIAL_SIDE + x) * 4 + 1] =
                pixels[(y * DIAL_SIDE + x) * 4 + 2] = 0;
    return pixels;
}

// All of a big dial's pixels.
PixelView Whole(std::vector<unsigned char>& pixels)
{
    return {pixels.data(), DIAL_SIDE * 4, DIAL_SIDE, DIAL_SIDE, {0, 0, DIAL_SIDE, DIAL_SIDE}};
}

// The four blur passes over the big dial's mask.
void BM_BlurShadowMask(benchmark::State& state)
{
    InitDialTables();
    std::vector<unsigned char> face = NoonFace();
    std::vector<unsigned char> mask(DIAL_SIDE * DIAL_SIDE);
    for (auto _ : state) {
        state.PauseTiming();
        CopyBlueToMask(Whole(face), mask.data());
        state.ResumeTiming();
        BlurShadowMask(mask.data(), DIAL_SIDE, DIAL_SIDE, DIAL_SIDE / 2, DIAL_SIDE / 2, ShadowSoftness::SUN);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlurShadowMask)->Unit(benchmark::kMicrosecond);

// Every per-pixel step of a daytime frame: mask copy, blur, multiply, scale.
void BM_DayFramePixelSteps(benchmark::State& state)
{
    InitDialTables();
    std::vector<unsigned char> face = NoonFace();
    std::vector<unsigned char> pixels(face.size());
    std::vector<unsigned char> mask(DIAL_SIDE * DIAL_SIDE);
    for (auto _ : state) {
        state.PauseTiming();
        pixels = face;
        state.ResumeTiming();
        CopyBlueToMask(Whole(pixels), mask.data());
        BlurShadowMask(mask.data(), DIAL_SIDE, DIAL_SIDE, DIAL_SIDE / 2, DIAL_SIDE / 2, ShadowSoftness::SUN);
        MultiplyByMask(Whole(pixels), mask.data());
        ScaleColours(Whole(pixels), BrightnessLevel(0.97));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DayFramePixelSteps)->Unit(benchmark::kMicrosecond);

// The per-pixel steps of a night frame: negate and scale.
void BM_NightFramePixelSteps(benchmark::State& state)
{
    InitDialTables();
    std::vector<unsigned char> pixels(DIAL_SIDE * DIAL_SIDE * 4, 255);
    for (auto _ : state) {
        NegateColours(Whole(pixels));
        ScaleColours(Whole(pixels), BrightnessLevel(0.7));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_NightFramePixelSteps)->Unit(benchmark::kMicrosecond);

}  // namespace
