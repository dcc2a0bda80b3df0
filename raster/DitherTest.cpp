// Tests of the ordered dither.
#include "raster/Dither.h"
#include "raster/TestCanvas.h"

#include <gtest/gtest.h>

TEST(Dither, ReducesToTheLevelsOfEachDepth)
{
    struct Case
    {
        int bitsPerPixel;
        unsigned int grey;
        unsigned int atOrigin;
        unsigned int nextRight;
    };
    const Case cases[] = {
        {16, 0x000000, 0x080808, 0x000000}, {15, 0x000000, 0x080808, 0x000000}, {8, 0x646464, 0x808080, 0x000000},
        {4, 0xC8C8C8, 0xFFFFFF, 0x000000},  {1, 0xC8C8C8, 0xFFFFFF, 0x000000},  {8, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
        {16, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}, {24, 0x646464, 0x646464, 0x646464}, {32, 0x000000, 0x000000, 0x000000},
    };
    for (const Case& c : cases) {
        TestCanvas canvas(4, 4, c.grey | 0x7F000000);
        EXPECT_TRUE(DitherToDisplayDepth(canvas.View(), c.bitsPerPixel));
        EXPECT_EQ(canvas.At(0, 0), c.atOrigin) << c.bitsPerPixel << " bits";
        EXPECT_EQ(canvas.At(1, 0), c.nextRight) << c.bitsPerPixel << " bits";
        EXPECT_EQ(canvas.WordAt(2, 3) >> 24, 0x7Fu);
    }
}

TEST(Dither, FollowsTheMatrixAndStaysInItsRectangle)
{
    // At 8 bits, value 100 rises to 128 where 8 * m + 101 reaches 128.
    TestCanvas canvas(10, 9, 0x646464);
    EXPECT_TRUE(DitherToDisplayDepth(canvas.View({1, 2, 9, 8}), 8));
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 1 && x < 9 && y >= 2 && y < 8;
            const unsigned int expected = !inside                                     ? 0x646464
                                          : DITHER_MATRIX[(y & 3) * 4 + (x & 3)] >= 4 ? 0x808080
                                                                                      : 0x000000;
            EXPECT_EQ(canvas.At(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_TRUE(canvas.GuardsIntact());
    const PixelView none = {nullptr, 40, 10, 1, {0, 0, 1, 1}};
    EXPECT_FALSE(DitherToDisplayDepth(none, 8));
    EXPECT_TRUE(DitherToDisplayDepth(none, 24));
}
