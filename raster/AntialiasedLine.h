// Two-pixel-wide coverage lines, clipped.
#pragma once

// A pair of 32-bit integers laid out like the platform's POINT.
struct PixelPoint
{
    int x;
    int y;
};

// Two-pixel-wide coverage line between integer end points, clipped to the
// half-open rectangle [clipLeft, clipRight) x [clipTop, clipBottom), which
// must lie inside the buffer. Any end points are accepted; a clip rectangle
// reaching beyond 8191 pixels from the origin is refused. False when nothing
// was drawn because the input was refused or the line misses the rectangle.
bool DrawAntialiasedLine(unsigned char* pixels, int stride, int clipLeft, int clipTop, int clipRight, int clipBottom,
                         int x0, int y0, int x1, int y1, unsigned int colour);

// The open line through count points given in 16.16 fixed point (pixels
// times 65536), each edge drawn as above and each point between two edges
// once. Edges with a point beyond 8191 pixels from the origin are left out.
bool DrawAntialiasedPolyline(unsigned char* pixels, int stride, int clipLeft, int clipTop, int clipRight,
                             int clipBottom, const PixelPoint* points, int count, unsigned int colour);

// The closed outline through count points, each edge drawn as above.
bool DrawAntialiasedPolygonOutline(unsigned char* pixels, int stride, int clipLeft, int clipTop, int clipRight,
                                   int clipBottom, const PixelPoint* points, int count, unsigned int colour);
