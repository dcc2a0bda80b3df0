// The blend tables every pixel routine scales through.
#include "raster/BlendTables.h"

#include "common/Saturate.h"

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

int MulDivTruncate(int a, int b, int c)
{
    if (c == 0)
        return 0;
    return SaturateToInt(static_cast<long long>(a) * b / c);
}
