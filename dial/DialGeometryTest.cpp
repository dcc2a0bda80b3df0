// Tests of the dial's integer geometry.
#include "dial/DialGeometry.h"

#include "sun/Solar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(TruncateCoordinate, TruncatesTowardZeroAndClamps)
{
    EXPECT_EQ(TruncateCoordinate(-2.7), -2);
    EXPECT_EQ(TruncateCoordinate(2.7), 2);
    EXPECT_EQ(TruncateCoordinate(std::nan("")), 0);
    EXPECT_EQ(TruncateCoordinate(1e300), 1 << 28);
    EXPECT_EQ(TruncateCoordinate(-HUGE_VAL), -(1 << 28));
}

TEST(ShadowBand, RunsFromTheFootToTheTip)
{
    ShadowBand band;
    // Noon shadow straight down the screen: v negative.
    ASSERT_TRUE(ComputeShadowBand(225, 225, 0, -123, 9.2f, band));
    EXPECT_TRUE(band.smoothOutline);
    // px = r v / len = -9.2, py = 0.
    EXPECT_EQ(band.corners[0].x, 234);
    EXPECT_EQ(band.corners[0].y, 225);
    EXPECT_EQ(band.corners[1].x, 215);
    EXPECT_EQ(band.corners[2].x, 215);
    EXPECT_EQ(band.corners[2].y, 348);
    EXPECT_EQ(band.corners[3].x, 234);
    EXPECT_EQ(band.footCap[0], 215);
    EXPECT_EQ(band.footCap[2], 236);
    EXPECT_EQ(band.tipCap[1], 338);
    EXPECT_EQ(band.tipCap[3], 359);
}

TEST(ShadowBand, ZeroLengthIsJustTheFoot)
{
    ShadowBand band;
    ASSERT_TRUE(ComputeShadowBand(100, 100, 0, 0, 7.0f, band));
    for (const PixelPoint& corner : band.corners) {
        EXPECT_EQ(corner.x, 100);
        EXPECT_EQ(corner.y, 100);
    }
    EXPECT_EQ(band.footCap[0], band.tipCap[0]);
}

TEST(ShadowBand, LongShadowIsCutAlongItsDirection)
{
    ShadowBand band;
    // Just after sunrise: far to the left and a little down.
    ASSERT_TRUE(ComputeShadowBand(225, 225, -3e9, -1.5e9, 9.2f, band));
    EXPECT_FALSE(band.smoothOutline);
    double tipX = (band.corners[2].x + band.corners[3].x) / 2.0 - 225;
    double tipY = (band.corners[2].y + band.corners[3].y) / 2.0 - 225;
    EXPECT_NEAR(std::hypot(tipX, tipY), MAX_SHADOW_LENGTH, 2);
    EXPECT_NEAR(tipY / tipX, -0.5, 1e-3);
    // Near the foot the band is where it would be anyway.
    EXPECT_EQ(band.corners[0].x, 225 + 4);
    EXPECT_EQ(band.corners[0].y, 225 + 8);

    ASSERT_TRUE(ComputeShadowBand(225, 225, 20000, 0, 9.2f, band));
    EXPECT_TRUE(band.smoothOutline);
    EXPECT_EQ(band.corners[2].x, 225 + static_cast<int>(MAX_SHADOW_LENGTH));

    EXPECT_FALSE(ComputeShadowBand(225, 225, HUGE_VAL, 3, 9.2f, band));
    EXPECT_FALSE(ComputeShadowBand(225, 225, 0, std::nan(""), 9.2f, band));
}

TEST(GnomonBands, FlatAtTheEquatorUprightAtThePoles)
{
    GnomonBands flat = ComputeGnomonBands(0, 0, 450, 450, 0.0f, DialSizeFor(DialModel::Big, NATURAL_SCALE));
    EXPECT_EQ(flat.x, 225 - 11);
    EXPECT_EQ(flat.width, 22);
    EXPECT_EQ(flat.cap.dstHeight, 0);
    EXPECT_EQ(flat.base.dstHeight, 0);
    EXPECT_EQ(flat.shaft.dstY, 225 - 12);
    EXPECT_EQ(flat.shaft.dstHeight, 137);
    EXPECT_EQ(flat.shaft.srcY, 8);
    EXPECT_EQ(flat.shaft.srcHeight, 101);

    for (float pole : {90.0f, -90.0f}) {
        GnomonBands upright = ComputeGnomonBands(0, 0, 450, 450, pole, DialSizeFor(DialModel::Big, NATURAL_SCALE));
        EXPECT_EQ(upright.shaft.dstHeight, 0);
        EXPECT_EQ(upright.cap.dstY, upright.base.dstY);
        EXPECT_EQ(upright.cap.dstHeight, 13);   // 8 x 1.7
        EXPECT_EQ(upright.base.dstHeight, 22);  // 13 x 1.7
        EXPECT_EQ(upright.base.srcY, 109);
        EXPECT_EQ(upright.base.srcHeight, 13);
    }

    GnomonBands small = ComputeGnomonBands(10, 20, 250, 250, 45.0f, DialSizeFor(DialModel::Small, NATURAL_SCALE));
    EXPECT_EQ(small.x, 10 + 125 - 7);
    EXPECT_EQ(small.cap.dstY, 20 + 125 - 9);
    EXPECT_EQ(small.base.srcY, 80);
    EXPECT_EQ(small.base.srcHeight, 10);
}

TEST(GnomonBands, SouthernLatitudeGivesTheSamePicture)
{
    GnomonBands north = ComputeGnomonBands(0, 0, 450, 450, 45.0f, DialSizeFor(DialModel::Big, NATURAL_SCALE));
    GnomonBands south = ComputeGnomonBands(0, 0, 450, 450, -45.0f, DialSizeFor(DialModel::Big, NATURAL_SCALE));
    const StretchBand* n[3] = {&north.cap, &north.shaft, &north.base};
    const StretchBand* s[3] = {&south.cap, &south.shaft, &south.base};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(n[i]->dstY, s[i]->dstY);
        EXPECT_EQ(n[i]->dstHeight, s[i]->dstHeight);
    }
}

TEST(GnomonBands, AbsurdLatitudeDrawsNothing)
{
    for (float latitude : {NAN, INFINITY}) {
        GnomonBands bands = ComputeGnomonBands(0, 0, 450, 450, latitude, DialSizeFor(DialModel::Big, NATURAL_SCALE));
        EXPECT_EQ(bands.cap.dstHeight + bands.shaft.dstHeight + bands.base.dstHeight, 0);
    }
    GnomonBands huge = ComputeGnomonBands(0, 0, 450, 450, 1e30f, DialSizeFor(DialModel::Big, NATURAL_SCALE));
    EXPECT_GE(huge.shaft.dstHeight, 0);
}

// The half width of the sun-time numeral of hour at the big dial's ring, in
// the room between the half-hour lines on either side.
int SunNumeralHalfWidth(double hour, double latitude)
{
    const double radius = 450 * 0.4;
    return NumeralHalfWidth(HourSectorAngle(hour, latitude), radius, 12);
}

TEST(NumeralHalfWidth, SqueezedWhereLinesCrowd)
{
    for (int hour = 4; hour <= 20; ++hour)
        EXPECT_EQ(SunNumeralHalfWidth(hour, 45), 12) << hour;
    EXPECT_EQ(SunNumeralHalfWidth(12, 10), 3);
    EXPECT_EQ(SunNumeralHalfWidth(9, 10), 7);
    EXPECT_EQ(SunNumeralHalfWidth(15, 10), 7);
    EXPECT_EQ(SunNumeralHalfWidth(6, 10), 12);
    EXPECT_EQ(SunNumeralHalfWidth(18, 10), 12);
    EXPECT_EQ(SunNumeralHalfWidth(12, NAN), 12);
}

// Outlines meet when they come closer than the margin, whichever way they
// are turned: boxes side by side or corner to corner, a turned numeral
// reaching over a box's edge or staying clear of its corner.
TEST(OutlinesMeet, WhenCloserThanTheMargin)
{
    const TurnedPlace diamond = {20, 20, 5, 5, 45.0f};  // corners about 7.07 from its centre
    const struct
    {
        const char* what;
        Outline a, b;
        double margin;
        bool meet;
    } cases[] = {
        {"boxes 2 apart, margin 1", OutlineOf(PixelRect {0, 0, 10, 10}), OutlineOf(PixelRect {12, 0, 20, 10}), 1,
         false},
        {"boxes 2 apart, margin 3", OutlineOf(PixelRect {0, 0, 10, 10}), OutlineOf(PixelRect {12, 0, 20, 10}), 3, true},
        {"boxes overlapping", OutlineOf(PixelRect {0, 0, 10, 10}), OutlineOf(PixelRect {5, 5, 20, 20}), 0, true},
        {"boxes corner to corner", OutlineOf(PixelRect {0, 0, 10, 10}), OutlineOf(PixelRect {12, 12, 20, 20}), 1,
         false},
        {"a diamond's corner over a box's edge", OutlineOf(diamond), OutlineOf(PixelRect {26, 15, 40, 25}), 0, true},
        {"a diamond beside a box", OutlineOf(diamond), OutlineOf(PixelRect {29, 15, 40, 25}), 1, false},
        {"a diamond off a box's corner", OutlineOf(diamond), OutlineOf(PixelRect {25, 25, 40, 40}), 1, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OutlinesMeet(c.a, c.b, c.margin), c.meet) << c.what;
        EXPECT_EQ(OutlinesMeet(c.b, c.a, c.margin), c.meet) << c.what << ", the other way round";
    }
}

TEST(SegmentCrosses, OnlyWhenItRunsThroughTheOutline)
{
    const Outline box = OutlineOf(PixelRect {10, 10, 20, 20});
    const struct
    {
        const char* what;
        double x0, y0, x1, y1;
        bool crosses;
    } cases[] = {
        {"straight through", 0, 15, 30, 15, true},    {"from inside out", 15, 15, 30, 30, true},
        {"along above it", 0, 5, 30, 5, false},       {"past its corner", 0, 25, 25, 0, true},
        {"short of its corner", 0, 19, 19, 0, false},
        {"short of its corner, drawn the other way", 19, 0, 0, 19, false}, {"a point beside it", 25, 15, 25, 15, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SegmentCrosses(c.x0, c.y0, c.x1, c.y1, box), c.crosses) << c.what;
}

}  // namespace
