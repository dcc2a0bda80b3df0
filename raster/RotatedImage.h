// Turned, bilinearly sampled copies of an image rectangle.
#pragma once

#include "raster/PixelView.h"

// Where a turned copy goes: a rectangle of 2 halfWidth x 2 halfHeight
// centred on (centreX, centreY), turned by angle degrees clockwise.
struct TurnedPlace
{
    int centreX, centreY;
    int halfWidth, halfHeight;
    float angle;
};

// The rectangle of the source that is copied, in source pixels.
struct SourceRect
{
    float x, y, width, height;
};

// Copies part of source into target at place, bilinearly sampled, clipped to
// the target's clip rectangle. Pixels whose 2 x 2 sample block would leave
// the part (or the source) are not written. The source's height is limited
// to 4096; a place with halfWidth or halfHeight 0 draws nothing.
bool DrawRotatedImage(const PixelView& target, const TurnedPlace& place, const PixelImage& source,
                      const SourceRect& part);

// The box of the pixels a turned copy at place may write, clip rectangle
// aside: what overlap checks of turned pictures go by.
PixelRect TurnedBounds(const TurnedPlace& place);

// The corners of the turned rectangle at place, in order round it, as it is
// drawn (the top and bottom corners on whole rows): what overlap checks that
// follow the turn go by.
void TurnedOutline(const TurnedPlace& place, float (&cornerX)[4], float (&cornerY)[4]);
