#include "raster/BlendTables.h"

#include <cassert>
#include <climits>

unsigned char ScaleTable[256 * 256];
unsigned char InverseScaleTable[256 * 256];

static bool g_blendTablesBuilt = false;

void InitBlendTables()
{
    if (g_blendTablesBuilt)
        return;
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            ScaleTable[a * 256 + b] = static_cast<unsigned char>(a * b / 255);
            InverseScaleTable[a * 256 + b] = static_cast<unsigned char>((255 - a) * b / 255);
        }
    }
    g_blendTablesBuilt = true;
}

// Per channel: pixel * (255 - w) / 255 + colour * w / 255, each term floored.
static void BlendPixel(unsigned char* pixel, int weight, unsigned int colour)
{
    const unsigned char* keep = InverseScaleTable + weight * 256;
    const unsigned char* add = ScaleTable + weight * 256;
    pixel[0] = static_cast<unsigned char>(keep[pixel[0]] + add[colour & 0xFF]);
    pixel[1] = static_cast<unsigned char>(keep[pixel[1]] + add[(colour >> 8) & 0xFF]);
    pixel[2] = static_cast<unsigned char>(keep[pixel[2]] + add[(colour >> 16) & 0xFF]);
}

void BlendPixelPair(unsigned char* first, int offset, int weightFirst, int weightSecond, unsigned int colour)
{
    assert(weightFirst >= 0 && weightFirst <= 255 && weightSecond >= 0 && weightSecond <= 255);
    if (weightFirst != 0)
        BlendPixel(first, weightFirst, colour);
    if (weightSecond != 0)
        BlendPixel(first + offset, weightSecond, colour);
}

int MulDivTruncate(int a, int b, int c)
{
    if (c == 0)
        return 0;
    long long quotient = static_cast<long long>(a) * b / c;
    if (quotient > INT_MAX)
        return INT_MAX;
    if (quotient < INT_MIN)
        return INT_MIN;
    return static_cast<int>(quotient);
}
