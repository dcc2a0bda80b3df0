// The moonlit face: moonlight's colour, the depth of the moon's shadow and the moon's small picture at the rim.
#pragma once

#include "dial/DialFace.h"
#include "dial/DialPixels.h"
#include "dial/DialSize.h"
#include "raster/PixelView.h"
#include "sun/Moon.h"

// The face by moonlight: dimmer than by day and cooler, blue kept most.
const ChannelLevels MOONLIGHT_TINT = {150, 122, 104};

// How dark the moon's shadow falls, 0 (none) .. 255 (as dark as the sun's):
// a full moon's the darkest, less as less of the moon is lit.
int MoonShadowDepth(double fraction);

// Every byte m of a shadow mask (255 in the light, 0 in the full shadow)
// becomes 255 - (255 - m) * depth / 255: the shadow depth deep.
void FadeMask(unsigned char* mask, int count, int depth);

// The moon drawn small at the rim of the dial in its direction, lit on the
// side toward the sun as seen from the place.
struct MoonDisc
{
    double x, y;      // the centre, pixels of the surface
    double radius;    // pixels
    double fraction;  // its lit share, 0 .. 1
    int litSide;      // +1: the lit limb to the right, -1: to the left
};

// The disc for the moon in the sky of a latitude over the dial rectangle.
// The face shows the dial with south at the top and west to the right, and
// a southern one turned half round: the disc stands opposite the shadow.
MoonDisc PlaceMoonDisc(const PixelRect& dial, double latitude, const MoonInSky& moon);

// The disc over the view's pixels, antialiased at its edge and along its
// terminator.
void DrawMoonDisc(const PixelView& view, const MoonDisc& disc);

// What lights the face.
enum class Lighting
{
    SUN,
    MOON,  // by night on the moonlit face, while the moon is up
    NONE,  // the night face
};

// The face's light at the dial moment t and what it shows of it. The moon
// is the ephemeris' for the sun's year, zone and longitude, whichever sun
// the dial shows.
struct FaceLight
{
    Lighting lighting;
    Shadow shadow;  // the gnomon's: the sun's, by moonlight the moon's
    int depth;      // by moonlight: of the shadow, MoonShadowDepth's
    MoonDisc disc;  // by moonlight: the moon at the rim of the dial rectangle
};

FaceLight ComputeFaceLight(const DialFace& face, const DialSize& size, const PixelRect& dial, int t);

// How soft the shadow of a light is: the moon's softer than the sun's.
ShadowSoftness SoftnessOf(Lighting lighting);
