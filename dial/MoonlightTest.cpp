// Tests of the moonlit face: the moon's picture, where it stands, the depth of its shadow.
#include "dial/Moonlight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const int SIDE = 64;  // pixels of the test's picture, the disc in the middle

struct Picture
{
    std::vector<unsigned char> pixels = std::vector<unsigned char>(SIDE * SIDE * 4, 0);
    PixelView View() { return {pixels.data(), SIDE * 4, SIDE, SIDE, {0, 0, SIDE, SIDE}}; }
    const unsigned char* At(int x, int y) const { return &pixels[(y * SIDE + x) * 4]; }
};

// The disc's lit share as drawn on black: the red bytes' sum over that of
// a full moon.
double DrawnShare(const MoonDisc& disc)
{
    MoonDisc full = disc;
    full.fraction = 1;
    Picture drawn, whole;
    DrawMoonDisc(drawn.View(), disc);
    DrawMoonDisc(whole.View(), full);
    double lit = 0, all = 0, dark = 0;
    Picture none;
    MoonDisc newMoon = disc;
    newMoon.fraction = 0;
    DrawMoonDisc(none.View(), newMoon);
    for (int i = 2; i < SIDE * SIDE * 4; i += 4) {
        lit += drawn.pixels[i];
        all += whole.pixels[i];
        dark += none.pixels[i];
    }
    return (lit - dark) / (all - dark);
}

}  // namespace

TEST(Moonlight, DiscIsLitByItsShareOnTheSideItsLimbFaces)
{
    InitDialTables();
    for (int side : {1, -1}) {
        for (double fraction : {0.0, 0.1, 0.25, 0.5, 0.78, 1.0}) {
            const MoonDisc disc = {SIDE / 2.0, SIDE / 2.0, 20.5, fraction, side};
            EXPECT_NEAR(DrawnShare(disc), fraction, 0.01) << "fraction " << fraction << ", lit side " << side;
        }
        // A half moon: bright on the lit side, dark on the other, and the
        // corners of the picture untouched.
        Picture half;
        DrawMoonDisc(half.View(), {SIDE / 2.0, SIDE / 2.0, 20.5, 0.5, side});
        const unsigned char* lit = half.At(SIDE / 2 + side * 12, SIDE / 2);
        const unsigned char* dark = half.At(SIDE / 2 - side * 12, SIDE / 2);
        EXPECT_GT(lit[2], 0xE0) << "lit side " << side << ": the lit half's red " << int(lit[2]);
        EXPECT_LT(dark[2], 0x60) << "lit side " << side << ": the dark half's red " << int(dark[2]);
        EXPECT_GT(dark[2], 0) << "lit side " << side << ": the dark half is drawn";
        EXPECT_EQ(half.At(2, 2)[2] + half.At(SIDE - 3, SIDE - 3)[2], 0) << "lit side " << side;
    }
}

// South at the top and west to the right, the disc opposite the shadow;
// turned half round south of the equator. The waxing moon's lit limb faces
// west.
TEST(Moonlight, DiscStandsAtTheRimInTheMoonsDirection)
{
    const PixelRect dial = {100, 50, 300, 250};  // the foot at (200, 150), the rim 93 pixels from it
    const struct
    {
        double latitude, azimuth, elongation;
        double x, y;
        int litSide;
    } rows[] = {
        {46, 90, 100, 107, 150, 1}, {46, 180, 200, 200, 57, -1},  {46, 270, 20, 293, 150, 1},
        {46, 0, 300, 200, 243, -1}, {-34, 90, 100, 293, 150, -1}, {-34, 0, 300, 200, 57, 1},
    };
    for (const auto& row : rows) {
        const MoonDisc disc = PlaceMoonDisc(dial, row.latitude, {30, row.azimuth, 0.5, row.elongation});
        EXPECT_NEAR(disc.x, row.x, 1e-9) << "latitude " << row.latitude << ", azimuth " << row.azimuth;
        EXPECT_NEAR(disc.y, row.y, 1e-9) << "latitude " << row.latitude << ", azimuth " << row.azimuth;
        EXPECT_EQ(disc.litSide, row.litSide) << "latitude " << row.latitude << ", elongation " << row.elongation;
    }
}

// An edge 100 pixels from the foot, across the rows: the moon's blur spreads
// it over more pixels than the sun's.
TEST(Moonlight, MoonsShadowIsSofterThanTheSuns)
{
    InitDialTables();
    const int width = 241, height = 21, edge = 220;  // the foot at (20, 10)
    int spread[2] = {};
    for (ShadowSoftness softness : {ShadowSoftness::SUN, ShadowSoftness::MOON}) {
        std::vector<unsigned char> mask(width * height);
        for (int i = 0; i < width * height; ++i)
            mask[i] = i % width < edge - 100 ? 0 : 255;
        BlurShadowMask(mask.data(), width, height, 20, 10, softness);
        for (int x = 0; x < width; ++x)
            spread[softness == ShadowSoftness::MOON] += mask[10 * width + x] > 10 && mask[10 * width + x] < 245;
    }
    EXPECT_GT(spread[1], spread[0] * 3 / 2)
        << "pixels of the soft edge: the sun's " << spread[0] << ", the moon's " << spread[1];
}

TEST(Moonlight, FullMoonsShadowIsPalerThanTheSunsAndANewMoonCastsNone)
{
    InitDialTables();
    unsigned char shadow[3] = {0, 128, 255};
    FadeMask(shadow, 3, MoonShadowDepth(1.0));
    EXPECT_TRUE(shadow[0] > 0 && shadow[0] < 128 && shadow[2] == 255)
        << "full moon: " << int(shadow[0]) << " " << int(shadow[1]) << " " << int(shadow[2]);
    unsigned char none[3] = {0, 128, 255};
    FadeMask(none, 3, MoonShadowDepth(0.0));
    EXPECT_TRUE(none[0] == 255 && none[1] == 255) << "new moon: " << int(none[0]) << " " << int(none[1]);
}
