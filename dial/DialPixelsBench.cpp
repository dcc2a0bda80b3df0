// Benchmarks of the dial's per-pixel steps.
#include "dial/DialPixels.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const int kSize = 450;

// A white face with a dark band from the centre down, as at summer noon.
std::vector<unsigned char> NoonFace()
{
    std::vector<unsigned char> pixels(kSize * kSize * 4, 255);
    for (int y = kSize / 2; y < kSize / 2 + 123; ++y)
        for (int x = kSize / 2 - 9; x < kSize / 2 + 9; ++x)
            pixels[(y * kSize + x) * 4] = pixels[(y * kSize + x) * 4 + 1] = pixels[(y * kSize + x) * 4 + 2] = 0;
    return pixels;
}

// The four blur passes over the big dial's mask.
void BM_BlurShadowMask(benchmark::State& state)
{
    InitDialTables();
    std::vector<unsigned char> face = NoonFace();
    std::vector<unsigned char> mask(kSize * kSize);
    for (auto _ : state) {
        state.PauseTiming();
        CopyBlueToMask(face.data(), kSize * 4, 0, 0, kSize, kSize, mask.data());
        state.ResumeTiming();
        BlurShadowMask(mask.data(), kSize, kSize, kSize / 2, kSize / 2);
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
    std::vector<unsigned char> mask(kSize * kSize);
    for (auto _ : state) {
        state.PauseTiming();
        pixels = face;
        state.ResumeTiming();
        CopyBlueToMask(pixels.data(), kSize * 4, 0, 0, kSize, kSize, mask.data());
        BlurShadowMask(mask.data(), kSize, kSize, kSize / 2, kSize / 2);
        MultiplyByMask(pixels.data(), kSize * 4, 0, 0, kSize, kSize, mask.data());
        ScaleColours(pixels.data(), kSize * 4, 0, 0, kSize, kSize, BrightnessLevel(0.97));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DayFramePixelSteps)->Unit(benchmark::kMicrosecond);

// The per-pixel steps of a night frame: negate and scale.
void BM_NightFramePixelSteps(benchmark::State& state)
{
    InitDialTables();
    std::vector<unsigned char> pixels(kSize * kSize * 4, 255);
    for (auto _ : state) {
        NegateColours(pixels.data(), kSize * 4, 0, 0, kSize, kSize);
        ScaleColours(pixels.data(), kSize * 4, 0, 0, kSize, kSize, BrightnessLevel(0.7));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_NightFramePixelSteps)->Unit(benchmark::kMicrosecond);

}  // namespace
