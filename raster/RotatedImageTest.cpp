// Tests of the turned image copies.
#include "raster/BlendTables.h"
#include "raster/RotatedImage.h"
#include "raster/TestCanvas.h"

#include <gtest/gtest.h>

namespace {

// A 64 x 64 source whose blue grows with x and green with y, red constant.
TestCanvas GradientSource()
{
    TestCanvas source(64, 64, 0);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x)
            source.Set(x, y, 0x400000 | (y * 4) << 8 | x * 4);
    }
    return source;
}

// Bilinear sample at the 16.16 source position (u, v), floored like the tables.
unsigned int Sample(const TestCanvas& source, int u, int v)
{
    const int iu = u >> 16, iv = v >> 16, fu = (u >> 8) & 0xFF, fv = (v >> 8) & 0xFF;
    unsigned int result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int p00 = (source.At(iu, iv) >> shift) & 0xFF, p10 = (source.At(iu + 1, iv) >> shift) & 0xFF;
        const int p01 = (source.At(iu, iv + 1) >> shift) & 0xFF, p11 = (source.At(iu + 1, iv + 1) >> shift) & 0xFF;
        const int top = fu * p10 / 255 + (255 - fu) * p00 / 255;
        const int bottom = fu * p11 / 255 + (255 - fu) * p01 / 255;
        result |= static_cast<unsigned int>(fv * bottom / 255 + (255 - fv) * top / 255) << shift;
    }
    return result;
}

const unsigned int MARKER = 0x11AA11;

bool Draw(TestCanvas& target, int clipLeft, int clipTop, int clipRight, int clipBottom, TestCanvas& source, float srcX,
          float angle, int halfWidth = 16, int halfHeight = 16)
{
    return DrawRotatedImage(target.View({clipLeft, clipTop, clipRight, clipBottom}),
                            {100, 100, halfWidth, halfHeight, angle}, source.Image(), {srcX, 0.0f, 32.0f, 32.0f});
}

}  // namespace

TEST(RotatedImage, UnturnedFootprintAndSourceSteps)
{
    InitBlendTables();
    TestCanvas source = GradientSource();
    TestCanvas target(200, 200, MARKER);
    EXPECT_TRUE(Draw(target, 0, 0, 200, 200, source, 0.0f, 0.0f));
    // Columns 84..115, rows 84..115; the source advances 31/32 of a pixel per
    // column and 31/32 of the rectangle per row. Column 116, on the inclusive
    // right edge, would take its sample block past the rectangle.
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (x >= 84 && x <= 115 && y >= 84 && y <= 115) {
                const int v = static_cast<int>((y - 84) / 32.0 * 65535) * 31;
                ASSERT_EQ(target.At(x, y), Sample(source, (x - 84) * 63488, v)) << x << "," << y;
            } else {
                ASSERT_FALSE(target.Changed(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(target.GuardsIntact());
}

TEST(RotatedImage, NeverSamplesPastTheSourceEdge)
{
    TestCanvas source = GradientSource();
    TestCanvas target(200, 200, MARKER);
    // The rectangle runs a column past the source's last: from column 115 on
    // the sample block would need a column beyond it.
    EXPECT_TRUE(Draw(target, 0, 0, 200, 200, source, 33.0f, 0.0f));
    for (int y = 84; y <= 115; ++y) {
        EXPECT_TRUE(target.Changed(114, y)) << y;
        EXPECT_FALSE(target.Changed(115, y)) << y;
    }
}

// A narrowed copy steps far through its source per pixel, and a turned one
// overshoots its rectangle's edges: neither may take in the red around the
// black middle cell it copies.
TEST(RotatedImage, NeverSamplesPastThePartDrawn)
{
    InitBlendTables();
    TestCanvas source(96, 96, 0xFF0000);
    for (int y = 32; y < 64; ++y) {
        for (int x = 32; x < 64; ++x)
            source.Set(x, y, 0);
    }
    const struct
    {
        float angle;
        int halfWidth;
    } cases[] = {{0, 16}, {0, 3}, {17, 16}, {17, 3}, {90, 5}, {135, 4}, {200, 2}, {300, 7}};
    for (const auto& c : cases) {
        TestCanvas target(200, 200, MARKER);
        EXPECT_TRUE(DrawRotatedImage(target.View(), {100, 100, c.halfWidth, 16, c.angle}, source.Image(),
                                     {32.0f, 32.0f, 32.0f, 32.0f}));
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x)
                ASSERT_TRUE(!target.Changed(x, y) || target.At(x, y) == 0)
                    << "turned " << c.angle << ", half width " << c.halfWidth << ": " << std::hex << target.At(x, y)
                    << " at " << std::dec << x << "," << y;
        }
    }
}

TEST(RotatedImage, QuarterTurnIsClockwise)
{
    InitBlendTables();
    TestCanvas source(64, 64, 0);
    const unsigned int quadrant[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x)
            source.Set(x, y, quadrant[y / 16][x / 16]);
    }
    TestCanvas target(200, 200, MARKER);
    EXPECT_TRUE(Draw(target, 0, 0, 200, 200, source, 0.0f, 90.0f));
    // The source's top edge runs down the right-hand side.
    EXPECT_EQ(target.At(108, 92), 0xFF0000u);
    EXPECT_EQ(target.At(108, 108), 0x00FF00u);
    EXPECT_EQ(target.At(92, 92), 0x0000FFu);
    EXPECT_EQ(target.At(92, 108), 0xFFFFFFu);
}

TEST(RotatedImage, RefusesTallSourcesAndDrawsNothingWhenFlat)
{
    TestCanvas tall(2, 4097, 0x808080);
    TestCanvas target(200, 200, MARKER);
    EXPECT_FALSE(DrawRotatedImage(target.View(), {100, 100, 16, 16, 0.0f}, tall.Image(), {0.0f, 0.0f, 2.0f, 32.0f}));
    EXPECT_TRUE(target.UnchangedOutside(0, 0, 0, 0));
    EXPECT_TRUE(DrawRotatedImage(target.View(), {100, 100, 16, 16, 0.0f}, {tall.Pixels(), 8, 2, 4096},
                                 {0.0f, 0.0f, 2.0f, 32.0f}));
    EXPECT_TRUE(target.Changed(100, 100));

    TestCanvas source = GradientSource();
    target.Record();
    EXPECT_TRUE(Draw(target, 0, 0, 200, 200, source, 0.0f, 30.0f, 0, 16));
    EXPECT_TRUE(Draw(target, 0, 0, 200, 200, source, 0.0f, 30.0f, 16, 0));
    EXPECT_TRUE(target.UnchangedOutside(0, 0, 0, 0));
    EXPECT_FALSE(DrawRotatedImage({nullptr, 800, 200, 200, {0, 0, 200, 200}}, {100, 100, 16, 16, 0.0f},
                                  {source.Pixels(), source.Stride(), 64, 64}, {0.0f, 0.0f, 32.0f, 32.0f}));
}

TEST(RotatedImage, ClippedDrawingIsTheVisiblePartOfTheWhole)
{
    TestCanvas source = GradientSource();
    TestCanvas whole(200, 200, MARKER);
    TestCanvas clipped(200, 200, MARKER);
    EXPECT_TRUE(Draw(whole, 0, 0, 200, 200, source, 0.0f, 0.0f));
    EXPECT_TRUE(Draw(clipped, 91, 95, 110, 105, source, 0.0f, 0.0f));
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool inside = x >= 91 && x < 110 && y >= 95 && y < 105;
            ASSERT_EQ(clipped.At(x, y), inside ? whole.At(x, y) : MARKER) << x << "," << y;
        }
    }
}
