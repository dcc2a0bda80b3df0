// Two-pixel-wide coverage lines, clipped.
#pragma once

#include "raster/PixelView.h"

// A pair of 32-bit integers laid out like the platform's POINT.
struct PixelPoint
{
    int x;
    int y;
};

// Two-pixel-wide coverage line between integer end points, clipped to the
// view's clip rectangle. Any end points are accepted; a clip rectangle
// reaching beyond 8191 pixels from the origin is refused. False when nothing
// was drawn because the input was refused or the line misses the rectangle.
bool DrawAntialiasedLine(const PixelView& view, int x0, int y0, int x1, int y1, unsigned int colour);

// The open line through count points given in 16.16 fixed point (pixels
// times 65536), each edge drawn as above and each point between two edges
// once. Edges with a point beyond 8191 pixels from the origin are left out.
bool DrawAntialiasedPolyline(const PixelView& view, const PixelPoint* points, int count, unsigned int colour);

// The closed outline through count points, each edge drawn as above.
bool DrawAntialiasedPolygonOutline(const PixelView& view, const PixelPoint* points, int count, unsigned int colour);
