// Tests of the hour lines and numerals.
#include "dial/HourMarkings.h"

#include "raster/BlendTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Numeral cell n is pure red Red(n) inside a white border of two pixels.
// Filtering blends it only with white, and the lines are grey, so a pixel
// with no green and no blue is the inside of exactly one numeral (the
// filter's floored weights may take up to 3 off its red).
unsigned char Red(int n)
{
    return static_cast<unsigned char>((n + 1) * 8);
}

struct Dial
{
    static const int SIDE = 450;
    std::vector<unsigned char> pixels;
    std::vector<unsigned char> sheet;
    PixelImage numbers;

    Dial() : pixels(SIDE * SIDE * 4, 255), sheet(256 * 96 * 4)
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
    void Draw(float latitude)
    {
        DrawHourLinesAndNumerals(View(pixels.data()), latitude, &numbers, DialSizeFor(true, NATURAL_SCALE));
    }

    int Blue(int x, int y) const { return pixels[(y * SIDE + x) * 4]; }

    bool IsNumeral(int x, int y, int n) const
    {
        const unsigned char* p = &pixels[(y * SIDE + x) * 4];
        return p[0] == 0 && p[1] == 0 && p[2] <= Red(n) && p[2] + 3 >= Red(n);
    }

    // Centre and horizontal extent of the inside of numeral n.
    bool Find(int n, double& cx, double& cy, int& minX, int& maxX) const
    {
        long count = 0, sx = 0, sy = 0;
        minX = SIDE;
        maxX = -1;
        for (int y = 0; y < SIDE; ++y)
            for (int x = 0; x < SIDE; ++x)
                if (IsNumeral(x, y, n)) {
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

TEST(HourMarkings, NothingAtTheEquator)
{
    Dial dial;
    dial.Draw(0.0f);
    dial.Draw(-0.0f);
    for (unsigned char p : dial.pixels)
        ASSERT_EQ(p, 255);
}

TEST(HourMarkings, NumeralsStandAroundTheFootAsOnANorthernDial)
{
    Dial dial;
    dial.Draw(45.0f);
    double x, y;
    int minX, maxX;
    ASSERT_TRUE(dial.Find(4, x, y, minX, maxX));
    EXPECT_GT(x, 100);
    EXPECT_LT(y, -20);
    ASSERT_TRUE(dial.Find(20, x, y, minX, maxX));
    EXPECT_LT(x, -100);
    EXPECT_LT(y, -20);
    ASSERT_TRUE(dial.Find(12, x, y, minX, maxX));
    EXPECT_NEAR(x, 0, 1);
    EXPECT_NEAR(y, 190, 3);
    // Upright and unsqueezed: 24 pixels wide (inner 22 columns pure).
    EXPECT_GE(maxX - minX + 1, 20);
    for (int n = 4; n <= 20; ++n)
        EXPECT_TRUE(dial.Find(n, x, y, minX, maxX)) << n;
    EXPECT_FALSE(dial.Find(3, x, y, minX, maxX));
    EXPECT_FALSE(dial.Find(21, x, y, minX, maxX));
    // The silver noon line runs from 0.3 to 0.4 of the width below the foot.
    EXPECT_LT(std::min(dial.Blue(225, 380), dial.Blue(226, 380)), 255);
    EXPECT_EQ(dial.Blue(225, 350), 255);
}

TEST(HourMarkings, SouthernDialIsTheMirrorImage)
{
    Dial north, south;
    north.Draw(45.0f);
    south.Draw(-45.0f);
    for (int n = 4; n <= 20; ++n) {
        double nx, ny, sx, sy;
        int minX, maxX;
        ASSERT_TRUE(north.Find(n, nx, ny, minX, maxX));
        ASSERT_TRUE(south.Find(n, sx, sy, minX, maxX));
        EXPECT_NEAR(nx, -sx, 3) << n;  // truncation toward zero is not symmetric
        EXPECT_NEAR(ny, sy, 3) << n;
    }
}

TEST(HourMarkings, NumeralsNarrowWhereLinesCrowd)
{
    Dial dial;
    dial.Draw(10.0f);
    double x, y;
    int minX, maxX;
    ASSERT_TRUE(dial.Find(12, x, y, minX, maxX));
    EXPECT_LE(maxX - minX + 1, 7);  // 6 wide
    ASSERT_TRUE(dial.Find(6, x, y, minX, maxX));
    EXPECT_GE(maxX - minX + 1, 13);  // turned a quarter: 16 high across
}

TEST(HourMarkings, MissingPicturesDrawNothing)
{
    Dial dial;
    DrawHourLinesAndNumerals(dial.View(dial.pixels.data()), 45.0f, nullptr, DialSizeFor(true, NATURAL_SCALE));
    DrawHourLinesAndNumerals(dial.View(nullptr), 45.0f, &dial.numbers, DialSizeFor(true, NATURAL_SCALE));
    dial.Draw(NAN);
    for (unsigned char p : dial.pixels)
        ASSERT_EQ(p, 255);
}

}  // namespace
