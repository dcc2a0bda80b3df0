// Tests of the hour lines and numerals.
#include "dial/HourMarkings.h"

#include "dial/DialMarkings.h"
#include "dial/TestDial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// The test dial with the sun's hour lines of a latitude and the numerals of
// a picture, as the face lays them out.
struct Dial : TestDial
{
    void Draw(float latitude, const PixelImage* picture, unsigned char* start)
    {
        const DialFace face = {.model = DialModel::Big,
                               .scalePercent = NATURAL_SCALE,
                               .latitude = latitude,
                               .sun = {.exact = false, .longitude = 15.0, .year = 2026, .zoneMinutes = 60},
                               .dateLines = false,
                               .clockHours = false,
                               .clockShiftHours = 0,
                               .language = 0,
                               .moonFace = false};
        const DialSize size = DialSizeFor(DialModel::Big, NATURAL_SCALE);
        const PixelView view = View(start);
        MarkingsLayout layout {};
        LayOutMarkings(view.clip, face, size, layout);
        DrawLaidOutMarkings(view, face, layout, picture, size);
    }
    void Draw(float latitude) { Draw(latitude, &numbers, pixels.data()); }
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

// Without a numerals picture the lines are still drawn, and nothing without
// pixels or at a latitude that is not a number.
TEST(HourMarkings, MissingPicturesDrawNoNumerals)
{
    Dial dial;
    dial.Draw(NAN);
    dial.Draw(45.0f, &dial.numbers, nullptr);
    for (unsigned char p : dial.pixels)
        ASSERT_EQ(p, 255);
    dial.Draw(45.0f, nullptr, dial.pixels.data());
    double x, y;
    int minX, maxX;
    for (int n = 4; n <= 20; ++n)
        EXPECT_FALSE(dial.Find(n, x, y, minX, maxX)) << n << " drawn at " << x << "," << y;
    const int noonLine = std::min(dial.Blue(225, 380), dial.Blue(226, 380));
    EXPECT_LT(noonLine, 255) << "the noon line's blue " << noonLine;
}

}  // namespace
