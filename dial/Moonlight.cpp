// The moonlit face: the depth of the moon's shadow and the moon's small picture at the rim.
#include "dial/Moonlight.h"

#include "raster/BlendTables.h"

#include <algorithm>
#include <cmath>

namespace {

const double RAD = 3.14159265358979323846 / 180;  // radians in a degree
const int FULL_MOON_SHADOW = 200;                 // a full moon's shadow depth: paler than the sun's
const double DISC_SHARE = 0.026;                  // the disc's radius, of the dial's side
const double RIM_SHARE = 0.93;                    // the disc's centre from the foot, of half the side: at the rim
const double WAXING_ELONGATION = 180;             // degrees: below it the moon waxes
const int SUBSAMPLES = 4;                         // samples along each side of a pixel
const int SAMPLES = SUBSAMPLES * SUBSAMPLES;
// Pale moonlight on the lit part, the night sky's blue-grey on the rest.
const unsigned char LIT[3] = {0xDC, 0xF0, 0xF4};   // blue, green, red
const unsigned char DARK[3] = {0x44, 0x38, 0x34};  // blue, green, red

// The first sample column at or right of x: column j of a row of pixels
// from left samples at left + (j + 0.5) / SUBSAMPLES; clamped to 0 .. columns.
int SampleColumn(double x, int left, int columns)
{
    const double column = std::ceil((x - left) * SUBSAMPLES - 0.5);
    return column < 0 ? 0 : column > columns ? columns : static_cast<int>(column);
}

// Samples of [first, last) inside [from, to).
inline int Overlap(int first, int last, int from, int to)
{
    const int n = std::min(last, to) - std::max(first, from);
    return n > 0 ? n : 0;
}

}  // namespace

int MoonShadowDepth(double fraction)
{
    const double share = fraction < 0 ? 0 : fraction > 1 ? 1 : fraction;
    return static_cast<int>(std::lround(FULL_MOON_SHADOW * share));
}

void FadeMask(unsigned char* mask, int count, int depth)
{
    const unsigned char* scale = ScaleTable + (depth << 8);
    for (int i = 0; i < count; ++i)
        mask[i] = static_cast<unsigned char>(255 - scale[255 - mask[i]]);
}

MoonDisc PlaceMoonDisc(const PixelRect& dial, double latitude, const MoonInSky& moon)
{
    const int width = dial.right - dial.left, height = dial.bottom - dial.top;
    const double side = width < height ? width : height;
    // The gnomon's foot, where the shadow starts.
    const int footX = (dial.left + dial.right) >> 1, footY = (dial.top + dial.bottom) >> 1;
    const int turn = latitude < 0 ? -1 : 1;
    const double azimuth = moon.azimuth * RAD, rim = RIM_SHARE * side / 2;
    MoonDisc disc;
    disc.x = footX - turn * std::sin(azimuth) * rim;
    disc.y = footY + turn * std::cos(azimuth) * rim;
    disc.radius = DISC_SHARE * side;
    disc.fraction = moon.fraction;
    // A waxing moon stands east of the sun: its lit limb faces west.
    disc.litSide = moon.elongation < WAXING_ELONGATION ? turn : -turn;
    return disc;
}

void DrawMoonDisc(const PixelView& view, const MoonDisc& disc)
{
    if (!view.pixels)
        return;
    const double r = disc.radius;
    const int left = std::max(view.clip.left, static_cast<int>(std::floor(disc.x - r)));
    const int right = std::min(view.clip.right, static_cast<int>(std::ceil(disc.x + r)) + 1);
    const int top = std::max(view.clip.top, static_cast<int>(std::floor(disc.y - r)));
    const int bottom = std::min(view.clip.bottom, static_cast<int>(std::ceil(disc.y + r)) + 1);
    const int columns = (right - left) * SUBSAMPLES;
    // The terminator lies this share of the half chord from the centre,
    // toward the lit limb: at it for a new moon, across at the far one for a
    // full moon.
    const double terminator = disc.litSide * (1 - 2 * disc.fraction);
    for (int y = top; y < bottom; ++y) {
        // Each sample row's samples inside the disc and lit ones, as ranges
        // of sample columns.
        int inFrom[SUBSAMPLES], inTo[SUBSAMPLES], litFrom[SUBSAMPLES], litTo[SUBSAMPLES];
        for (int s = 0; s < SUBSAMPLES; ++s) {
            const double dy = y + (s + 0.5) / SUBSAMPLES - disc.y;
            const double chord = r * r - dy * dy;
            const double w = chord > 0 ? std::sqrt(chord) : 0;
            inFrom[s] = SampleColumn(disc.x - w, left, columns);
            inTo[s] = w > 0 ? SampleColumn(disc.x + w, left, columns) : inFrom[s];
            const int edge = SampleColumn(disc.x + terminator * w, left, columns);
            litFrom[s] = disc.litSide > 0 ? std::max(inFrom[s], edge) : inFrom[s];
            litTo[s] = disc.litSide > 0 ? inTo[s] : std::min(inTo[s], edge);
        }
        unsigned char* p = view.pixels + y * view.stride + left * 4;
        for (int first = 0; first < columns; first += SUBSAMPLES, p += 4) {
            int inside = 0, lit = 0;
            for (int s = 0; s < SUBSAMPLES; ++s) {
                inside += Overlap(first, first + SUBSAMPLES, inFrom[s], inTo[s]);
                lit += Overlap(first, first + SUBSAMPLES, litFrom[s], litTo[s]);
            }
            if (inside == 0)
                continue;
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<unsigned char>(
                    (p[c] * (SAMPLES - inside) + DARK[c] * (inside - lit) + LIT[c] * lit) / SAMPLES);
        }
    }
}

FaceLight ComputeFaceLight(const DialFace& face, const DialSize& size, const PixelRect& dial, int t)
{
    FaceLight light = {};
    light.shadow = ComputeDialShadow(face.sun, face.latitude, size.gnomonLength, t);
    light.lighting = light.shadow.isDay ? Lighting::SUN : Lighting::NONE;
    if (light.shadow.isDay || !face.moonFace)
        return light;
    const MoonOverDial moon =
        ComputeMoonOverDial(face.latitude, face.sun.longitude, size.gnomonLength, JulianDayOfMoment(face.sun, t));
    if (!moon.shadow.isDay)
        return light;
    light.lighting = Lighting::MOON;
    light.shadow = moon.shadow;
    light.depth = MoonShadowDepth(moon.sky.fraction);
    light.disc = PlaceMoonDisc(dial, face.latitude, moon.sky);
    return light;
}

ShadowSoftness SoftnessOf(Lighting lighting)
{
    return lighting == Lighting::MOON ? ShadowSoftness::MOON : ShadowSoftness::SUN;
}
