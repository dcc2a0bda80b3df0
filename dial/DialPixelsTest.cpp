// Tests of the dial's per-pixel steps.
#include "dial/DialPixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

class DialPixelsTest : public ::testing::Test
{
protected:
    void SetUp() override { InitDialTables(); }
};

// A buffer of w x h pixels of one colour, fourth byte 0x5A so that writes
// to it show.
std::vector<unsigned char> Pixels(int w, int h, unsigned char b, unsigned char g, unsigned char r)
{
    std::vector<unsigned char> pixels(w * h * 4);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = b;
        pixels[i + 1] = g;
        pixels[i + 2] = r;
        pixels[i + 3] = 0x5A;
    }
    return pixels;
}

TEST_F(DialPixelsTest, TablesHoldTheirValues)
{
    EXPECT_EQ(BlurWeight[0], 255);
    EXPECT_EQ(BlurWeight[40], 255);
    EXPECT_EQ(BlurWeight[41], 249);
    EXPECT_EQ(BlurWeight[100], 102);
    EXPECT_EQ(BlurWeight[400], 25);
    EXPECT_EQ(BlurWeight[1023], 10);
}

TEST_F(DialPixelsTest, BlurLeavesUniformMaskUnchanged)
{
    for (int value : {0, 77, 255}) {
        std::vector<unsigned char> mask(61 * 47, static_cast<unsigned char>(value));
        BlurShadowMask(mask.data(), 61, 47, 10, 40, ShadowSoftness::SUN);
        for (unsigned char m : mask)
            ASSERT_EQ(m, value);
    }
}

TEST_F(DialPixelsTest, PassNearCentreChangesPixelsByAtMostOneLevel)
{
    srand(7);
    std::vector<unsigned char> line(81), before;
    for (unsigned char& p : line)
        p = static_cast<unsigned char>(rand() & 0xFF);
    before = line;
    // Distances 40 .. 0 .. 40 along the pass.
    BlurPass(line.data(), 1, 81, -40, 0, 1, 0);
    for (size_t i = 0; i < line.size(); ++i)
        ASSERT_LE(std::abs(line[i] - before[i]), 1) << i;
}

TEST_F(DialPixelsTest, PassFarOutSmearsAnEdgeAndStaysInsideTheTable)
{
    // Distances far beyond the table's end use its last weight.
    std::vector<unsigned char> line(40, 255);
    for (int i = 20; i < 40; ++i)
        line[i] = 0;
    BlurPass(line.data(), 1, 40, 5000, -3000, 1, 0);
    EXPECT_EQ(line[19], 255);
    EXPECT_GT(line[20], 200);  // 10/256 of the way down per pixel
    EXPECT_GT(line[39], 0);
    for (int i = 21; i < 40; ++i)
        EXPECT_LT(line[i], line[i - 1]);
}

TEST_F(DialPixelsTest, BlurEqualsOnePassAfterAnother)
{
    // The mask blur sweeps many lines side by side; the result must be that
    // of the passes one after another: every row backwards then forwards,
    // then every column down then up.
    const int w = 300, h = 29, cx = 111, cy = 20;  // more columns than one sweep takes
    srand(3);
    std::vector<unsigned char> mask(w * h);
    for (unsigned char& m : mask)
        m = static_cast<unsigned char>(rand() & 0xFF);
    std::vector<unsigned char> expected = mask;
    for (int y = 0; y < h; ++y) {
        BlurPass(&expected[y * w + w - 1], -1, w, w - 1 - cx, y - cy, -1, 0);
        BlurPass(&expected[y * w], 1, w, -cx, y - cy, 1, 0);
    }
    for (int x = 0; x < w; ++x) {
        BlurPass(&expected[x], w, h, x - cx, -cy, 0, 1);
        BlurPass(&expected[(h - 1) * w + x], -w, h, x - cx, h - 1 - cy, 0, -1);
    }
    BlurShadowMask(mask.data(), w, h, cx, cy, ShadowSoftness::SUN);
    EXPECT_EQ(mask, expected);
}

TEST_F(DialPixelsTest, BlurKeepsEdgesSharpNearTheCentreAndSoftFarOut)
{
    // A dark band down the middle column range 95..105 of a 200 x 200 mask.
    const int w = 200, h = 200;
    std::vector<unsigned char> mask(w * h, 255);
    for (int y = 0; y < h; ++y)
        for (int x = 95; x < 105; ++x)
            mask[y * w + x] = 0;
    BlurShadowMask(mask.data(), w, h, 100, 100, ShadowSoftness::SUN);
    // Near the foot the edge is still a step.
    EXPECT_LE(mask[100 * w + 97], 2);
    EXPECT_GE(mask[100 * w + 92], 253);
    // Far down the band its edge has become a ramp: a pixel just outside is
    // darkened, and the band's middle is no longer fully black.
    EXPECT_LT(mask[199 * w + 93], 250);
    EXPECT_GT(mask[199 * w + 100], 5);
}

TEST_F(DialPixelsTest, CopyBlueToMaskTakesTheRectangle)
{
    std::vector<unsigned char> pixels = Pixels(8, 6, 0, 0, 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            pixels[(y * 8 + x) * 4] = static_cast<unsigned char>(y * 10 + x);
    unsigned char mask[3 * 2];
    CopyBlueToMask({pixels.data(), 32, 8, 6, {4, 2, 7, 4}}, mask);
    const unsigned char expected[6] = {24, 25, 26, 34, 35, 36};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(mask[i], expected[i]);
}

TEST_F(DialPixelsTest, ColourOperationsTouchOnlyColourBytesOfTheRectangle)
{
    std::vector<unsigned char> pixels = Pixels(4, 3, 255, 192, 0);
    NegateColours({pixels.data(), 16, 4, 3, {1, 1, 3, 2}});
    const unsigned char* p = &pixels[(1 * 4 + 1) * 4];
    EXPECT_EQ(p[0], 1);
    EXPECT_EQ(p[1], 64);
    EXPECT_EQ(p[2], 0);
    EXPECT_EQ(p[3], 0x5A);
    EXPECT_EQ(pixels[0], 255);  // outside the rectangle
    EXPECT_EQ(pixels[(1 * 4 + 3) * 4], 255);

    pixels = Pixels(2, 1, 255, 200, 100);
    const unsigned char mask[2] = {0, 128};
    MultiplyByMask({pixels.data(), 8, 2, 1, {0, 0, 2, 1}}, mask);
    EXPECT_EQ(pixels[0], 0);
    EXPECT_EQ(pixels[4], 128);
    EXPECT_EQ(pixels[5], 128 * 200 / 255);
    EXPECT_EQ(pixels[6], 128 * 100 / 255);
    EXPECT_EQ(pixels[7], 0x5A);

    pixels = Pixels(1, 1, 255, 100, 1);
    ScaleColours({pixels.data(), 4, 1, 1, {0, 0, 1, 1}}, BrightnessLevel(0.7));
    EXPECT_EQ(pixels[0], 178);
    EXPECT_EQ(pixels[1], 178 * 100 / 255);
    EXPECT_EQ(pixels[2], 0);
}

TEST_F(DialPixelsTest, BrightnessLevelIsClamped)
{
    EXPECT_EQ(BrightnessLevel(0.15), 38);
    EXPECT_EQ(BrightnessLevel(1.0), 255);
    EXPECT_EQ(BrightnessLevel(1.5), 255);
    EXPECT_EQ(BrightnessLevel(-0.5), 0);
    EXPECT_EQ(BrightnessLevel(std::nan("")), 0);
    EXPECT_EQ(BrightnessLevel(1e300), 255);
}

}  // namespace
