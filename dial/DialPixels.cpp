// Per-pixel steps of a dial frame: the shadow mask, its blur and the colour operations.
#include "dial/DialPixels.h"

#include "common/Saturate.h"
#include "raster/BlendTables.h"

#include <cmath>
#include <cstdlib>

int BlurWeight[1024];
int SoftBlurWeight[1024];

namespace {

// The weights' numerators over the distance: the sun's, and the moon's,
// half as heavy.
const double SUN_BLUR = 10240.0;
const double MOON_BLUR = 5120.0;

void FillBlurWeights(int (&weights)[1024], double numerator)
{
    weights[0] = 255;
    for (int d = 1; d < 1024; ++d) {
        int w = static_cast<int>(numerator / d);
        weights[d] = w < 255 ? w : 255;
    }
}

}  // namespace

void InitDialTables()
{
    static bool built = false;
    if (built)
        return;
    InitBlendTables();
    FillBlurWeights(BlurWeight, SUN_BLUR);
    FillBlurWeights(SoftBlurWeight, MOON_BLUR);
    built = true;
}

const int* BlurWeightsOf(ShadowSoftness softness)
{
    return softness == ShadowSoftness::MOON ? SoftBlurWeight : BlurWeight;
}

void CopyBlueToMask(const PixelView& view, unsigned char* mask)
{
    const int left = view.clip.left, top = view.clip.top;
    const int width = view.clip.right - left, height = view.clip.bottom - top;
    for (int y = 0; y < height; ++y) {
        const unsigned char* p = view.pixels + (top + y) * view.stride + left * 4;
        for (int x = 0; x < width; ++x)
            *mask++ = p[x * 4];
    }
}

// One step of a pass in 8.8 fixed point: the accumulator moves towards the
// byte by the weight of its distance (255 copies almost exactly), and the
// byte takes the accumulator's rounded value.
static inline void BlurStep(int& acc, unsigned char& p, int weight)
{
    acc += ((p * 256 - acc) * weight) >> 8;
    p = static_cast<unsigned char>((acc + 128) >> 8);
}

static inline int WeightAt(const int* weights, int distance)
{
    return weights[distance < 1023 ? distance : 1023];
}

void BlurPass(unsigned char* start, int step, int count, int offsetA, int offsetB, int deltaA, int deltaB)
{
    if (count <= 0)
        return;
    int acc = *start << 8;
    unsigned char* p = start;
    for (int i = 0; i < count; ++i, p += step, offsetA += deltaA, offsetB += deltaB)
        BlurStep(acc, *p, WeightAt(BlurWeight, std::abs(offsetA) + std::abs(offsetB)));
}

// Passes along many parallel lines at once, all in the same direction: line
// i starts at first + i * lineStep, lies lineOffset + i from the centre
// across, and its k-th byte, at + k * pixelStep, lies pixelOffset + k *
// pixelDelta from the centre along. The lines are independent, so sweeping
// them side by side gives the same bytes as one pass after another, without
// one long dependency chain through the accumulator.
static void BlurLines(const int* weights, unsigned char* first, int lines, int lineStep, int lineOffset, int length,
                      int pixelStep, int pixelOffset, int pixelDelta)
{
    const int CHUNK = 256;
    int acc[CHUNK];
    for (int i0 = 0; i0 < lines; i0 += CHUNK) {
        int n = lines - i0 < CHUNK ? lines - i0 : CHUNK;
        unsigned char* start = first + i0 * lineStep;
        for (int i = 0; i < n; ++i)
            acc[i] = start[i * lineStep] << 8;
        for (int k = 0; k < length; ++k) {
            unsigned char* p = start + k * pixelStep;
            int along = std::abs(pixelOffset + k * pixelDelta);
            for (int i = 0; i < n; ++i)
                BlurStep(acc[i], p[i * lineStep], WeightAt(weights, std::abs(lineOffset + i0 + i) + along));
        }
    }
}

void BlurShadowMask(unsigned char* mask, int width, int height, int centreX, int centreY, ShadowSoftness softness)
{
    if (width <= 0 || height <= 0)
        return;
    const int* weights = BlurWeightsOf(softness);
    unsigned char* last = mask + (height - 1) * width;
    // Rows from the last column to the first, then back; then columns down and up.
    BlurLines(weights, mask + width - 1, height, width, -centreY, width, -1, width - 1 - centreX, -1);
    BlurLines(weights, mask, height, width, -centreY, width, 1, -centreX, 1);
    BlurLines(weights, mask, width, 1, -centreX, height, width, -centreY, 1);
    BlurLines(weights, last, width, 1, -centreX, height, -width, height - 1 - centreY, -1);
}

void MultiplyByMask(const PixelView& view, const unsigned char* mask)
{
    const int left = view.clip.left, top = view.clip.top;
    const int width = view.clip.right - left, height = view.clip.bottom - top;
    for (int y = 0; y < height; ++y) {
        unsigned char* p = view.pixels + (top + y) * view.stride + left * 4;
        for (int x = 0; x < width; ++x, p += 4) {
            const unsigned char* scale = ScaleTable + (*mask++ << 8);
            p[0] = scale[p[0]];
            p[1] = scale[p[1]];
            p[2] = scale[p[2]];
        }
    }
}

void NegateColours(const PixelView& view)
{
    const int left = view.clip.left, top = view.clip.top;
    const int width = view.clip.right - left, height = view.clip.bottom - top;
    for (int y = 0; y < height; ++y) {
        unsigned char* p = view.pixels + (top + y) * view.stride + left * 4;
        for (int x = 0; x < width; ++x, p += 4) {
            p[0] = static_cast<unsigned char>(-p[0]);
            p[1] = static_cast<unsigned char>(-p[1]);
            p[2] = static_cast<unsigned char>(-p[2]);
        }
    }
}

void ScaleColours(const PixelView& view, int level)
{
    TintColours(view, {level, level, level});
}

void TintColours(const PixelView& view, const ChannelLevels& levels)
{
    const unsigned char* blue = ScaleTable + (levels.blue << 8);
    const unsigned char* green = ScaleTable + (levels.green << 8);
    const unsigned char* red = ScaleTable + (levels.red << 8);
    const int left = view.clip.left, top = view.clip.top;
    const int width = view.clip.right - left, height = view.clip.bottom - top;
    for (int y = 0; y < height; ++y) {
        unsigned char* p = view.pixels + (top + y) * view.stride + left * 4;
        for (int x = 0; x < width; ++x, p += 4) {
            p[0] = blue[p[0]];
            p[1] = green[p[1]];
            p[2] = red[p[2]];
        }
    }
}

int BrightnessLevel(double factor)
{
    return SaturateToInt(std::floor(factor * 255.0), 0, 255);
}
