// Tests of the hour lines and numerals.
#include "dial/HourMarkings.h"

#include "dial/TestDial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// The test dial with the hour lines and numerals of a latitude.
struct Dial : TestDial
{
    void Draw(float latitude)
    {
        DrawHourLinesAndNumerals(View(pixels.data()), latitude, &numbers, DialSizeFor(DialModel::Big, NATURAL_SCALE));
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
    DrawHourLinesAndNumerals(dial.View(dial.pixels.data()), 45.0f, nullptr, DialSizeFor(DialModel::Big, NATURAL_SCALE));
    DrawHourLinesAndNumerals(dial.View(nullptr), 45.0f, &dial.numbers, DialSizeFor(DialModel::Big, NATURAL_SCALE));
    dial.Draw(NAN);
    for (unsigned char p : dial.pixels)
        ASSERT_EQ(p, 255);
}

}  // namespace
