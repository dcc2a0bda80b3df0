// Ordered dither to the levels of 15- and 16-bit displays.
#include "raster/Dither.h"

#include <cassert>

const unsigned char DITHER_MATRIX[16] = {15, 0, 10, 3, 4, 12, 6, 9, 8, 1, 14, 2, 7, 11, 5, 13};

// Per matrix entry, every channel value mapped to the level the display shows.
static unsigned char g_ditherTable[16][256];
static int g_ditherTableDepth = -1;

static void BuildDitherTable(int bitsPerPixel)
{
    for (int i = 0; i < 16; ++i) {
        const int m = DITHER_MATRIX[i];
        int threshold, mask;
        if (bitsPerPixel <= 4) {
            threshold = 16 * m;
            mask = 0x100;
        } else if (bitsPerPixel <= 14) {
            threshold = 8 * m;
            mask = 0x180;
        } else {
            threshold = m / 2;
            mask = 0x1F8;
        }
        for (int v = 0; v < 256; ++v) {
            const int level = (threshold + v + 1) & mask;
            g_ditherTable[i][v] = static_cast<unsigned char>(level > 255 ? 255 : level);
        }
    }
    g_ditherTableDepth = bitsPerPixel;
}

bool DitherToDisplayDepth(const PixelView& view, int bitsPerPixel)
{
    unsigned char* const pixels = view.pixels;
    const int stride = view.stride;
    const int x0 = view.clip.left, y0 = view.clip.top, x1 = view.clip.right, y1 = view.clip.bottom;
    if (bitsPerPixel > 16)
        return true;
    if (!pixels)
        return false;
    if (bitsPerPixel != g_ditherTableDepth)
        BuildDitherTable(bitsPerPixel);
    // No clipping: the rectangle must lie inside the buffer.
    assert(x0 >= x1 || y0 >= y1 || (x0 >= 0 && y0 >= 0 && x1 * 4 <= stride));
    for (int y = y0; y < y1; ++y) {
        unsigned char* pixel = pixels + y * stride + x0 * 4;
        const unsigned char(*rowTables)[256] = g_ditherTable + (y & 3) * 4;
        for (int x = x0; x < x1; ++x, pixel += 4) {
            const unsigned char* table = rowTables[x & 3];
            pixel[0] = table[pixel[0]];
            pixel[1] = table[pixel[1]];
            pixel[2] = table[pixel[2]];
        }
    }
    return true;
}
