// Tests of the blend tables and the coverage lines.
#include "raster/AntialiasedLine.h"
#include "raster/BlendTables.h"
#include "raster/TestCanvas.h"

#include <gtest/gtest.h>

#include <climits>

// The colour a pixel of one grey level gets when a grey is blended in.
static unsigned int Grey(int level)
{
    return static_cast<unsigned int>(level) * 0x010101;
}

static unsigned int Blended(int pixel, int colour, int weight)
{
    return Grey((255 - weight) * pixel / 255 + weight * colour / 255);
}

TEST(BlendTables, HoldFlooredProducts)
{
    InitBlendTables();
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            ASSERT_EQ(ScaleTable[a * 256 + b], a * b / 255);
            ASSERT_EQ(InverseScaleTable[a * 256 + b], (255 - a) * b / 255);
        }
    }
}

TEST(BlendTables, BlendPixelPairFloorsEachTerm)
{
    InitBlendTables();
    unsigned char pixels[8] = {0, 0, 0, 7, 1, 1, 1, 9};
    BlendPixelPair(pixels + 4, -4, 128, 128, 0x000001);
    BlendPixelPair(pixels + 4, -4, 0, 0, 0xFFFFFF);
    // Colour 255 into 0 at 128 gives 128; 1 into 1 gives 0; the fourth bytes stay.
    EXPECT_EQ(pixels[4], 0);
    EXPECT_EQ(pixels[0], 0);
    unsigned char second[4] = {0, 0, 0, 5};
    BlendPixelPair(second, 0, 128, 0, 0xFF0000);
    EXPECT_EQ(second[2], 128);
    EXPECT_EQ(second[0], 0);
    EXPECT_EQ(second[3], 5);
    BlendPixelPair(second, 0, 255, 0, 0x123456);
    EXPECT_EQ(second[0], 0x56);
    EXPECT_EQ(second[1], 0x34);
    EXPECT_EQ(second[2], 0x12);
    EXPECT_EQ(pixels[3], 7);
    EXPECT_EQ(pixels[7], 9);
}

TEST(BlendTables, MulDivTruncatesTowardZeroWithoutOverflow)
{
    EXPECT_EQ(MulDivTruncate(7, 1, 2), 3);
    EXPECT_EQ(MulDivTruncate(-7, 1, 2), -3);
    EXPECT_EQ(MulDivTruncate(7, -1, 2), -3);
    EXPECT_EQ(MulDivTruncate(100000, 100000, 100000), 100000);
    EXPECT_EQ(MulDivTruncate(5, 5, 0), 0);
    EXPECT_EQ(MulDivTruncate(INT_MAX, INT_MAX, 1), INT_MAX);
    EXPECT_EQ(MulDivTruncate(INT_MIN, 1, -1), INT_MAX);
}

// Expects the canvas to show only the listed blends of grey 255 into black.
struct Touched
{
    int x, y, weight;
};

static void ExpectOnly(const TestCanvas& canvas, std::initializer_list<std::vector<Touched>> groups)
{
    std::vector<unsigned int> expected(canvas.Width() * canvas.Height(), 0);
    for (const auto& group : groups) {
        for (const Touched& t : group)
            expected[t.y * canvas.Width() + t.x] = Blended(0, 255, t.weight);
    }
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x)
            ASSERT_EQ(canvas.At(x, y), expected[y * canvas.Width() + x]) << "at " << x << "," << y;
    }
    EXPECT_TRUE(canvas.GuardsIntact());
}

static std::vector<Touched> Row(int y, int x0, int x1, int weight)
{
    std::vector<Touched> pixels;
    for (int x = x0; x <= x1; ++x)
        pixels.push_back({x, y, weight});
    return pixels;
}

static std::vector<Touched> Column(int x, int y0, int y1, int weight)
{
    std::vector<Touched> pixels;
    for (int y = y0; y <= y1; ++y)
        pixels.push_back({x, y, weight});
    return pixels;
}

static bool Line(TestCanvas& canvas, int x0, int y0, int x1, int y1)
{
    return DrawAntialiasedLine(canvas.View(), x0, y0, x1, y1, 0xFFFFFF);
}

TEST(AntialiasedLine, LiesLeftOfItsDirection)
{
    TestCanvas forward(40, 40, 0);
    EXPECT_TRUE(Line(forward, 10, 20, 30, 20));
    ExpectOnly(forward, {Row(20, 10, 30, 128), Row(19, 10, 30, 127)});

    TestCanvas backward(40, 40, 0);
    EXPECT_TRUE(Line(backward, 30, 20, 10, 20));
    ExpectOnly(backward, {Row(20, 10, 30, 128), Row(21, 10, 30, 127)});

    TestCanvas down(40, 40, 0);
    EXPECT_TRUE(Line(down, 5, 0, 5, 10));
    ExpectOnly(down, {Column(5, 0, 10, 128), Column(6, 0, 10, 127)});

    TestCanvas point(40, 40, 0);
    EXPECT_TRUE(Line(point, 7, 8, 7, 8));
    ExpectOnly(point, {{{7, 8, 128}, {6, 8, 127}}});
}

TEST(AntialiasedLine, DiagonalStepsOneRowPerColumn)
{
    TestCanvas canvas(20, 20, 0);
    EXPECT_TRUE(Line(canvas, 2, 2, 6, 6));
    // Equal extents count as y-major; moving down, the line shifts right.
    std::vector<Touched> pixels;
    for (int i = 2; i <= 6; ++i) {
        pixels.push_back({i + 1, i, 127});
        pixels.push_back({i, i, 128});
    }
    ExpectOnly(canvas, {pixels});
}

TEST(AntialiasedLine, ClipsToTheRectangle)
{
    TestCanvas canvas(40, 40, 0);
    EXPECT_FALSE(DrawAntialiasedLine(canvas.View({10, 0, 40, 40}), 2, 5, 9, 30, 0xFFFFFF));
    EXPECT_FALSE(DrawAntialiasedLine({nullptr, canvas.Stride(), 40, 40, {0, 0, 40, 40}}, 2, 5, 9, 30, 0xFFFFFF));
    ExpectOnly(canvas, {});

    // Rows 20 and 19 at the edges of the clip rectangle: only the inside row.
    EXPECT_TRUE(DrawAntialiasedLine(canvas.View({12, 20, 25, 30}), 0, 20, 39, 20, 0xFFFFFF));
    ExpectOnly(canvas, {Row(20, 12, 24, 128)});
    TestCanvas above(40, 40, 0);
    EXPECT_TRUE(DrawAntialiasedLine(above.View({0, 0, 40, 20}), 39, 19, 0, 19, 0xFFFFFF));
    ExpectOnly(above, {Row(19, 0, 39, 128)});
}

TEST(AntialiasedLine, FarEndpointsDrawTheVisiblePart)
{
    TestCanvas canvas(40, 40, 0);
    EXPECT_TRUE(Line(canvas, -100000, 20, 100000, 20));
    ExpectOnly(canvas, {Row(20, 0, 39, 128), Row(19, 0, 39, 127)});

    TestCanvas extreme(40, 40, 0);
    EXPECT_TRUE(Line(extreme, INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_TRUE(extreme.GuardsIntact());
    EXPECT_TRUE(extreme.Changed(20, 20));
}

TEST(AntialiasedLine, PolygonOutlineShiftsEveryEdgeOutward)
{
    TestCanvas canvas(40, 40, 0);
    const PixelPoint square[4] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    EXPECT_TRUE(DrawAntialiasedPolygonOutline(canvas.View(), square, 4, 0xFFFFFF));
    EXPECT_EQ(canvas.At(15, 9), Blended(0, 255, 127));
    EXPECT_EQ(canvas.At(15, 10), Blended(0, 255, 128));
    EXPECT_EQ(canvas.At(21, 15), Blended(0, 255, 127));
    EXPECT_EQ(canvas.At(15, 21), Blended(0, 255, 127));
    EXPECT_EQ(canvas.At(9, 15), Blended(0, 255, 127));
    EXPECT_EQ(canvas.At(15, 15), 0u);
    EXPECT_EQ(canvas.At(15, 11), 0u);

    TestCanvas empty(40, 40, 0);
    EXPECT_TRUE(DrawAntialiasedPolygonOutline(empty.View(), square, 0, 0xFFFFFF));
    ExpectOnly(empty, {});
}

TEST(AntialiasedLine, PolylineDrawsEachJointOnce)
{
    const int ONE = 65536;  // a pixel in 16.16
    const PixelPoint forward[3] = {{10 * ONE, 20 * ONE}, {20 * ONE, 20 * ONE}, {30 * ONE, 20 * ONE}};
    const PixelPoint backward[3] = {forward[2], forward[1], forward[0]};
    TestCanvas canvas(40, 40, 0);
    EXPECT_TRUE(DrawAntialiasedPolyline(canvas.View(), forward, 3, 0xFFFFFF));
    ExpectOnly(canvas, {Row(20, 10, 30, 128), Row(19, 10, 30, 127)});
    TestCanvas back(40, 40, 0);
    EXPECT_TRUE(DrawAntialiasedPolyline(back.View(), backward, 3, 0xFFFFFF));
    ExpectOnly(back, {Row(20, 10, 30, 128), Row(21, 10, 30, 127)});
}
