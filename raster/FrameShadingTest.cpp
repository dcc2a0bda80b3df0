// Tests of the frame band and the translucent blend.
#include "raster/BlendTables.h"
#include "raster/FrameShading.h"
#include "raster/TestCanvas.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Picture and background of distinct greys, so that every output tells
// which of them it came from and how it was weighted.
struct Frame
{
    Frame(int width, int height) : picture(width, height, 0x00C8C8C8), background(width, height, 0x00F0F0F0) { }

    bool Shade(int border, int radius)
    {
        return ShadeRoundedBevel(picture.Pixels(), background.Pixels(), picture.Width(), picture.Height(), border,
                                 radius, 0.5f);
    }

    TestCanvas picture;
    TestCanvas background;
};

unsigned int Scaled(int factor, int grey)
{
    return static_cast<unsigned int>(factor * grey / 255) * 0x010101;
}

}  // namespace

TEST(FrameShading, BandDarkensTheBackgroundInward)
{
    Frame frame(40, 30);
    EXPECT_TRUE(frame.Shade(6, 4));
    const int factors[7] = {255, 251, 247, 242, 234, 223, 204};
    for (int i = 0; i <= 6; ++i) {
        EXPECT_EQ(frame.picture.At(i, 15), Scaled(factors[i], 240)) << i;
        EXPECT_EQ(frame.picture.At(39 - i, 15), Scaled(factors[i], 240)) << i;
        EXPECT_EQ(frame.picture.At(20, i), Scaled(factors[i], 240)) << i;
        EXPECT_EQ(frame.picture.At(20, 29 - i), Scaled(factors[i], 240)) << i;
    }
    EXPECT_EQ(frame.picture.At(7, 15), 0xC8C8C8u);
    EXPECT_EQ(frame.picture.At(20, 22), 0xC8C8C8u);
    // The rim of the corners: capped at the outer corner, 204 at the inner one.
    EXPECT_EQ(frame.picture.At(0, 0), Scaled(255, 240));
    EXPECT_EQ(frame.picture.At(6, 6), Scaled(204, 240));
    EXPECT_EQ(frame.picture.At(33, 23), Scaled(204, 240));
    EXPECT_EQ(frame.picture.At(0, 10), Scaled(255, 240));
    EXPECT_EQ(frame.picture.WordAt(3, 3) >> 24, 0u);
    EXPECT_TRUE(frame.picture.GuardsIntact());
}

TEST(FrameShading, RoundsOffOnlyTheInnerCornerPixel)
{
    InitBlendTables();
    Frame frame(40, 30);
    EXPECT_TRUE(frame.Shade(6, 4));
    const unsigned int rounded = (104 * 200 / 255 + 120 * 240 / 255) * 0x010101u;
    EXPECT_EQ(frame.picture.At(7, 7), rounded);
    EXPECT_EQ(frame.picture.At(32, 7), rounded);
    EXPECT_EQ(frame.picture.At(7, 22), rounded);
    EXPECT_EQ(frame.picture.At(32, 22), rounded);
    for (int y = 7; y <= 10; ++y) {
        for (int x = 7; x <= 10; ++x) {
            if (x != 7 || y != 7) {
                EXPECT_EQ(frame.picture.At(x, y), 0xC8C8C8u) << x << "," << y;
            }
        }
    }
}

TEST(FrameShading, OverlappingCornersStayInTheSmallestPicture)
{
    // The host's first frame: 12 x 12, each corner square 11 x 11.
    Frame frame(12, 12);
    EXPECT_TRUE(frame.Shade(6, 4));
    EXPECT_TRUE(frame.picture.GuardsIntact());
    // The bottom-right corner, processed last, decides the shared pixels.
    EXPECT_EQ(frame.picture.At(11, 11), Scaled(255, 240));
    EXPECT_EQ(frame.picture.At(5, 5), Scaled(204, 240));
    EXPECT_FALSE(ShadeRoundedBevel(nullptr, frame.background.Pixels(), 12, 12, 6, 4, 0.5f));
}

TEST(FrameShading, TranslucentBlendWeighsPictureByOpacity)
{
    TestCanvas picture(5, 3, 0x11FFFF01);
    TestCanvas background(5, 3, 0x22FF0101);
    EXPECT_FALSE(BlendTranslucent(picture.Pixels(), background.Pixels(), 5, 3, 1.2f));
    EXPECT_FALSE(BlendTranslucent(picture.Pixels(), background.Pixels(), 5, 3, 1.0f));
    EXPECT_FALSE(BlendTranslucent(picture.Pixels(), background.Pixels(), 5, 3, NAN));
    EXPECT_FALSE(picture.Changed(4, 2));
    // Opacity 0.5 weighs 128: 255s stay, 1 into 1 gives 0 (both terms floored)
    // and the picture's 255 over 1 gives 128.
    EXPECT_TRUE(BlendTranslucent(picture.Pixels(), background.Pixels(), 5, 3, 0.5f));
    EXPECT_EQ(picture.At(4, 2), 0xFF8000u);
    EXPECT_EQ(picture.WordAt(4, 2) >> 24, 0x11u);
    EXPECT_TRUE(BlendTranslucent(picture.Pixels(), background.Pixels(), 5, 3, -0.3f));
    EXPECT_EQ(picture.At(0, 0), background.At(0, 0));
    EXPECT_TRUE(picture.GuardsIntact());
    EXPECT_FALSE(BlendTranslucent(nullptr, background.Pixels(), 5, 3, 0.5f));
}

TEST(FrameShading, TranslucentBlendMatchesTheTablesForEveryValue)
{
    InitBlendTables();
    // Every pair of picture and background values, in all three channels.
    const int pixels = 256 * 256 + 3;
    for (int alpha : {0, 1, 2, 37, 127, 128, 200, 253, 254, 255}) {
        TestCanvas picture(pixels, 1, 0), background(pixels, 1, 0);
        for (int i = 0; i < pixels; ++i) {
            const unsigned int a = i & 0xFF, b = (i >> 8) & 0xFF;
            picture.Set(i, 0, 0x5A000000 | a << 16 | b << 8 | a);
            background.Set(i, 0, b << 16 | a << 8 | b);
        }
        picture.Record();
        const float opacity = alpha == 255 ? 0.999f : alpha / 255.0f;
        EXPECT_TRUE(BlendTranslucent(picture.Pixels(), background.Pixels(), pixels, 1, opacity));
        for (int i = 0; i < pixels; ++i) {
            const unsigned int d = picture.RecordedAt(i, 0), s = background.At(i, 0);
            unsigned int expected = 0x5A000000;
            for (int shift = 0; shift < 24; shift += 8) {
                const int mixed = ScaleTable[(255 - alpha) * 256 + ((s >> shift) & 0xFF)] +
                                  ScaleTable[alpha * 256 + ((d >> shift) & 0xFF)];
                expected |= static_cast<unsigned int>(mixed) << shift;
            }
            ASSERT_EQ(picture.WordAt(i, 0), expected) << "alpha " << alpha << " pixel " << i;
        }
    }
}
