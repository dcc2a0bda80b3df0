// Per-pixel steps of a dial frame: the shadow mask, its blur and the colour operations.
#pragma once

// The per-pixel steps of a dial frame: the shadow mask and its blur, and the
// whole-face colour operations. They work on the colour bytes (blue, green,
// red) of the pixels inside a view's clip rectangle, width x height pixels
// from (left, top); the mask has width bytes per row.

#include "raster/PixelView.h"

// Colour bytes are scaled through the raster's ScaleTable: [m * 256 + c] =
// m * c / 255.
// Blur weight by Manhattan distance d from the gnomon foot: 255 up to 40,
// then 10240 / d.
extern int BlurWeight[1024];
// The moon's shadow's, softer: 255 up to 20, then 5120 / d.
extern int SoftBlurWeight[1024];

// Whose shadow a blur softens: the sun's, or the moon's, more.
enum class ShadowSoftness
{
    SUN,
    MOON,
};

// The blur weights of a shadow: BlurWeight or SoftBlurWeight.
const int* BlurWeightsOf(ShadowSoftness softness);

// Builds the blur weights and the raster's blend tables; later calls return
// at once.
void InitDialTables();

// mask[y * width + x] = blue byte of the pixel (left + x, top + y).
void CopyBlueToMask(const PixelView& view, unsigned char* mask);

// One recursive smoothing pass over count bytes, step bytes apart, from
// start. (a, b) is the first byte's offset from the centre, moving by
// (deltaA, deltaB) per byte; |a| + |b| picks the weight.
void BlurPass(unsigned char* start, int step, int count, int offsetA, int offsetB, int deltaA, int deltaB);

// Four passes (rows backwards and forwards, then columns down and up) that
// leave edges near (centreX, centreY) sharp and soften them farther out,
// with the weights of the shadow's softness.
void BlurShadowMask(unsigned char* mask, int width, int height, int centreX, int centreY, ShadowSoftness softness);

// Every colour byte c becomes ScaleTable[m * 256 + c] with its mask byte m.
void MultiplyByMask(const PixelView& view, const unsigned char* mask);

// Every colour byte c becomes (256 - c) & 255: black stays black, white
// becomes 1.
void NegateColours(const PixelView& view);

// Every colour byte c becomes level * c / 255.
void ScaleColours(const PixelView& view, int level);

// Levels 0 .. 255 by which each colour byte is scaled.
struct ChannelLevels
{
    int blue, green, red;
};

// Every blue byte c becomes levels.blue * c / 255, and so on.
void TintColours(const PixelView& view, const ChannelLevels& levels);

// floor(factor * 255) clamped to 0..255 (0 for a NaN).
int BrightnessLevel(double factor);
