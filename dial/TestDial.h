// A big dial's pixels and a numerals sheet that tells its numerals apart, for the markings' tests.
#pragma once

#include "raster/BlendTables.h"
#include "raster/PixelView.h"

#include <algorithm>
#include <vector>

// The big dial's face at the natural size, white, and a numerals sheet in
// which cell n is pure red Red(n) inside a white border of two pixels.
// Filtering blends a cell only with white, and the lines are grey, so a
// pixel with no green and no blue is the inside of exactly one numeral (the
// filter's floored weights may take up to 3 off its red).
struct TestDial
{
    static const int SIDE = 450;
    std::vector<unsigned char> pixels;
    std::vector<unsigned char> sheet;
    PixelImage numbers;

    static unsigned char Red(int n) { return static_cast<unsigned char>((n + 1) * 8); }

    TestDial() : pixels(SIDE * SIDE * 4, 255), sheet(256 * 96 * 4)
    {
        InitBlendTables();
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 256; ++x) {
                unsigned char* p = &sheet[(y * 256 + x) * 4];
                bool inside = x % 32 >= 2 && x % 32 < 30 && y % 32 >= 2 && y % 32 < 30;
                p[0] = p[1] = inside ? 0 : 255;
                p[2] = inside ? Red((y / 32) * 8 + x / 32) : 255;
            }
        numbers = {sheet.data(), 256 * 4, 256, 96};
    }

    PixelView View(unsigned char* start) { return {start, SIDE * 4, SIDE, SIDE, {0, 0, SIDE, SIDE}}; }

    int Blue(int x, int y) const { return pixels[(y * SIDE + x) * 4]; }

    // The numeral whose inside the pixel is, or -1.
    int NumeralAt(int x, int y) const
    {
        const unsigned char* p = &pixels[(y * SIDE + x) * 4];
        if (p[0] != 0 || p[1] != 0)
            return -1;
        const int n = (p[2] + 3) / 8 - 1;
        return n >= 0 && p[2] <= Red(n) ? n : -1;
    }

    // Centre (from the dial's centre) and horizontal extent of the inside
    // of numeral n.
    bool Find(int n, double& cx, double& cy, int& minX, int& maxX) const
    {
        long count = 0, sx = 0, sy = 0;
        minX = SIDE;
        maxX = -1;
        for (int y = 0; y < SIDE; ++y)
            for (int x = 0; x < SIDE; ++x)
                if (NumeralAt(x, y) == n) {
                    ++count;
                    sx += x;
                    sy += y;
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                }
        if (count == 0)
            return false;
        cx = double(sx) / count - SIDE / 2;
        cy = double(sy) / count - SIDE / 2;
        return true;
    }
};
