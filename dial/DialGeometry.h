// The integer geometry of the shadow band, the gnomon picture and the numerals.
#pragma once

#include "dial/DialSize.h"
#include "raster/AntialiasedLine.h"
#include "raster/RotatedImage.h"

// The integer geometry that the frame painting hands to GDI and to the pixel
// routines.

// Farthest coordinate handed on: beyond what any drawing needs, well inside int.
const int COORDINATE_LIMIT = 1 << 28;

// Converts a coordinate to int by truncation toward zero; values beyond
// COORDINATE_LIMIT are clamped and a NaN gives 0, so that the conversion
// itself never overflows.
int TruncateCoordinate(double value);

// The black band of the shadow from the foot of the gnomon (cx, cy) to the
// tip (cx + u, cy - v): a quadrilateral of width 2r and a round cap at each
// end (ellipse boxes left, top, right, bottom).
struct ShadowBand
{
    PixelPoint corners[4];
    int footCap[4];
    int tipCap[4];
    bool smoothOutline;  // the real shadow is short enough for the outline
};

// Longest shadow handed to GDI and the line routine; a longer one is cut to
// this length along its own direction, which leaves its visible part alone.
const double MAX_SHADOW_LENGTH = 16384.0;

// False when the shadow tip is not a finite point (nothing to draw).
bool ComputeShadowBand(int cx, int cy, double u, double v, float halfWidth, ShadowBand& band);

// One horizontal band of the gnomon bitmap stretched vertically.
struct StretchBand
{
    int dstY, dstHeight;
    int srcY, srcHeight;
};

// The gnomon picture for a latitude: cap, shaft and base, each drawn at
// x .. x + width - 1. Heights of 0 draw nothing.
struct GnomonBands
{
    int x, width;
    int srcWidth;  // of the picture (and of the mask beside it) in the bitmap
    StretchBand cap, shaft, base;
};

GnomonBands ComputeGnomonBands(int left, int top, int width, int height, float latitude, const DialSize& size);

// The box of the pixels the gnomon's picture covers.
PixelRect GnomonBox(const GnomonBands& bands);

// A turned numeral's rectangle or a box of pixels, by its four corners in
// order round it, in surface pixels: what the overlap checks of the face's
// numerals and labels go by.
struct Outline
{
    double x[4], y[4];
};

Outline OutlineOf(const TurnedPlace& place);
// The box's edges, left and top on its first pixels, right and bottom just
// past its last.
Outline OutlineOf(const PixelRect& box);

// Whether two outlines come closer than margin pixels: no line along a side
// of either keeps them that far apart.
bool OutlinesMeet(const Outline& a, const Outline& b, double margin);

// Whether the segment from (x0, y0) to (x1, y1) runs through the outline.
bool SegmentCrosses(double x0, double y0, double x1, double y1, const Outline& outline);

// Half the width of a numeral at the end of a line at radius pixels from the
// gnomon, with room radians to the lines or numerals on either side:
// narrower where they crowd together, never wider than halfHeightMax (a room
// that is not a number leaves it that wide).
int NumeralHalfWidth(double room, double radius, int halfHeightMax);
