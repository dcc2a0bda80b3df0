// The blend tables every pixel routine scales through.
#pragma once

#include <cassert>

// Process-wide 256 x 256 tables through which every pixel routine blends,
// indexed [a * 256 + b]: ScaleTable = floor(a * b / 255),
// InverseScaleTable = floor((255 - a) * b / 255). Built by InitBlendTables.
extern unsigned char ScaleTable[256 * 256];
extern unsigned char InverseScaleTable[256 * 256];

void InitBlendTables();

// Coverage blend of colour (0x00RRGGBB) into one pixel with weight 0..255:
// pixel = InverseScaleTable[w][pixel] + ScaleTable[w][colour] per channel.
// The tables must have been built.
inline void BlendPixel(unsigned char* pixel, int weight, unsigned int colour)
{
    const unsigned char* keep = InverseScaleTable + weight * 256;
    const unsigned char* add = ScaleTable + weight * 256;
    pixel[0] = static_cast<unsigned char>(keep[pixel[0]] + add[colour & 0xFF]);
    pixel[1] = static_cast<unsigned char>(keep[pixel[1]] + add[(colour >> 8) & 0xFF]);
    pixel[2] = static_cast<unsigned char>(keep[pixel[2]] + add[(colour >> 16) & 0xFF]);
}

// Blends into the pixel at first with weightFirst and into the pixel at
// first + offset with weightSecond; weight 0 leaves a pixel untouched.
// Inline, as the line routine calls it for every pixel it draws.
inline void BlendPixelPair(unsigned char* first, int offset, int weightFirst, int weightSecond, unsigned int colour)
{
    assert(weightFirst >= 0 && weightFirst <= 255 && weightSecond >= 0 && weightSecond <= 255);
    if (weightFirst != 0)
        BlendPixel(first, weightFirst, colour);
    if (weightSecond != 0)
        BlendPixel(first + offset, weightSecond, colour);
}

// a * b / c with a 64-bit intermediate, truncated toward zero; quotients
// beyond the int range saturate, and c = 0 gives 0.
int MulDivTruncate(int a, int b, int c);
