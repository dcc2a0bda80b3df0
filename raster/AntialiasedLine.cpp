// Two-pixel-wide coverage lines, clipped.
#include "raster/AntialiasedLine.h"

#include "raster/BlendTables.h"

#include <cassert>
#include <cmath>

// Endpoints and clip edges are kept within this many pixels of the origin, so
// that 16.16 coordinates and their differences fit in 32 bits.
static const int LINE_COORDINATE_LIMIT = 8191;

// Cuts a segment with an endpoint far outside the coordinate range down to
// the part inside it (rounded to whole pixels); false when nothing is left.
static bool LimitSegment(int& x0, int& y0, int& x1, int& y1)
{
    const double limit = LINE_COORDINATE_LIMIT;
    double dx = static_cast<double>(x1) - x0;
    double dy = static_cast<double>(y1) - y0;
    double tEnter = 0.0;
    double tLeave = 1.0;
    const double deltas[4] = {-dx, dx, -dy, dy};
    const double room[4] = {x0 + limit, limit - x0, y0 + limit, limit - y0};
    for (int side = 0; side < 4; ++side) {
        if (deltas[side] == 0.0) {
            if (room[side] < 0.0)
                return false;
            continue;
        }
        double t = room[side] / deltas[side];
        if (deltas[side] < 0.0) {
            if (t > tEnter)
                tEnter = t;
        } else if (t < tLeave) {
            tLeave = t;
        }
    }
    if (tEnter > tLeave)
        return false;
    double startX = x0 + tEnter * dx, startY = y0 + tEnter * dy;
    double endX = x0 + tLeave * dx, endY = y0 + tLeave * dy;
    x0 = static_cast<int>(std::lround(startX));
    y0 = static_cast<int>(std::lround(startY));
    x1 = static_cast<int>(std::lround(endX));
    y1 = static_cast<int>(std::lround(endY));
    return true;
}

static bool IsWithinLimit(int v)
{
    return v >= -LINE_COORDINATE_LIMIT && v <= LINE_COORDINATE_LIMIT;
}

// Moves the endpoints lying beyond one side of the guard band onto it, along
// the segment. a is the coordinate across the side, b the one along it;
// outward is +1 when values above edge lie outside, -1 when values below do.
// False when both endpoints lie outside: the segment then misses the band.
static bool ClipToSide(int& a0, int& b0, int& a1, int& b1, int edge, int outward)
{
    const bool beyond0 = (a0 - edge) * outward > 0, beyond1 = (a1 - edge) * outward > 0;
    if (beyond0 && beyond1)
        return false;
    if (beyond0) {
        b0 -= MulDivTruncate(a0 - edge, b1 - b0, a1 - a0);
        a0 = edge;
    }
    if (beyond1) {
        b1 -= MulDivTruncate(a1 - edge, b0 - b1, a0 - a1);
        a1 = edge;
    }
    return true;
}

// One axis of the buffer: the clip range on it and the bytes per step along it.
struct Axis
{
    int clipBegin;
    int clipEnd;
    int bytes;
};

// Steps one pixel at a time along the major axis from a0 to a1 (16.16, b is
// the minor coordinate) and covers two neighbours across it, weighted by the
// fraction of b. The line lies just under half a pixel toward the left of its
// direction of travel: toward larger b when shiftForward, else smaller b.
// Whether a line's last pixel step, at its end point, is drawn: a polyline
// leaves it to the next edge, which starts there.
enum class LineEnd
{
    DRAWN,
    LEFT_TO_NEXT,
};

static void DrawAlongMajorAxis(unsigned char* pixels, const Axis& major, const Axis& minor, int a0, int b0, int a1,
                               int b1, bool shiftForward, LineEnd end, unsigned int colour)
{
    a0 >>= 16;
    a1 >>= 16;
    bool dropFirst = false, dropLast = end == LineEnd::LEFT_TO_NEXT;
    if (a1 < a0) {
        int t = a0;
        a0 = a1;
        a1 = t;
        t = b0;
        b0 = b1;
        b1 = t;
        dropFirst = dropLast;
        dropLast = false;
    }
    const int step = a1 == a0 ? 0 : (b1 - b0) / (a1 - a0);
    int b = shiftForward ? b0 + 0x7FFF : b0 - 0x7FFF;
    int first = a0;
    if (dropFirst) {
        ++first;
        b += step;
    }
    const int last = dropLast ? a1 - 1 : a1;
    for (int a = first; a <= last; ++a, b += step) {
        const int across = (b >> 16) + 1;
        if (a < major.clipBegin || a >= major.clipEnd || across < minor.clipBegin || across > minor.clipEnd)
            continue;
        const int f = (b & 0xFFFF) >> 8;
        BlendPixelPair(pixels + a * major.bytes + across * minor.bytes, -minor.bytes, across >= minor.clipEnd ? 0 : f,
                       across <= minor.clipBegin ? 0 : 255 - f, colour);
    }
}

static bool IsClipWithinLimit(const PixelRect& clip)
{
    return IsWithinLimit(clip.left) && IsWithinLimit(clip.top) && IsWithinLimit(clip.right) &&
           IsWithinLimit(clip.bottom);
}

// The line between 16.16 end points within the coordinate limit, clipped to
// the view's clip rectangle.
static bool DrawFixedLine(const PixelView& view, int x0, int y0, int x1, int y1, LineEnd end, unsigned int colour)
{
    unsigned char* const pixels = view.pixels;
    const int stride = view.stride;
    const int clipLeft = view.clip.left, clipTop = view.clip.top, clipRight = view.clip.right,
              clipBottom = view.clip.bottom;
    // The clip rectangle must lie inside the buffer.
    assert(clipLeft >= 0 && clipTop >= 0 && clipRight <= stride / 4);
    // Clip to a band two pixels wider than the clip rectangle; the per-pixel
    // tests below remove the rest.
    if (!ClipToSide(x0, y0, x1, y1, (clipLeft - 2) * 65536, -1) ||
        !ClipToSide(y0, x0, y1, x1, (clipTop - 2) * 65536, -1) ||
        !ClipToSide(x0, y0, x1, y1, (clipRight + 2) * 65536, 1) ||
        !ClipToSide(y0, x0, y1, x1, (clipBottom + 2) * 65536, 1))
        return false;

    const int dx = x1 - x0, dy = y1 - y0;
    if ((dy < 0 ? -dy : dy) < (dx < 0 ? -dx : dx)) {
        const Axis columns = {clipLeft, clipRight, 4}, rows = {clipTop, clipBottom, stride};
        DrawAlongMajorAxis(pixels, columns, rows, x0, y0, x1, y1, dx < 0, end, colour);
    } else {
        const Axis rows = {clipTop, clipBottom, stride}, columns = {clipLeft, clipRight, 4};
        DrawAlongMajorAxis(pixels, rows, columns, y0, x0, y1, x1, dy > 0, end, colour);
    }
    return true;
}

bool DrawAntialiasedLine(const PixelView& view, int x0, int y0, int x1, int y1, unsigned int colour)
{
    const PixelRect& clip = view.clip;
    InitBlendTables();
    if (!view.pixels)
        return false;
    if ((x0 < clip.left && x1 < clip.left) || (y0 < clip.top && y1 < clip.top) ||
        (x0 >= clip.right && x1 >= clip.right) || (y0 >= clip.bottom && y1 >= clip.bottom))
        return false;
    if (!IsClipWithinLimit(clip))
        return false;
    if (!IsWithinLimit(x0) || !IsWithinLimit(y0) || !IsWithinLimit(x1) || !IsWithinLimit(y1)) {
        if (!LimitSegment(x0, y0, x1, y1))
            return false;
    }
    return DrawFixedLine(view, x0 * 65536, y0 * 65536, x1 * 65536, y1 * 65536, LineEnd::DRAWN, colour);
}

bool DrawAntialiasedPolyline(const PixelView& view, const PixelPoint* points, int count, unsigned int colour)
{
    InitBlendTables();
    if (!view.pixels || !IsClipWithinLimit(view.clip))
        return false;
    const int limit = LINE_COORDINATE_LIMIT * 65536;
    bool drawn = false;
    for (int i = 0; i + 1 < count; ++i) {
        const PixelPoint& a = points[i];
        const PixelPoint& b = points[i + 1];
        if (a.x < -limit || a.x > limit || a.y < -limit || a.y > limit || b.x < -limit || b.x > limit || b.y < -limit ||
            b.y > limit)
            continue;
        drawn |=
            DrawFixedLine(view, a.x, a.y, b.x, b.y, i + 2 == count ? LineEnd::DRAWN : LineEnd::LEFT_TO_NEXT, colour);
    }
    return drawn;
}

bool DrawAntialiasedPolygonOutline(const PixelView& view, const PixelPoint* points, int count, unsigned int colour)
{
    for (int i = 0; i < count; ++i) {
        const PixelPoint& from = points[i];
        const PixelPoint& to = points[i + 1 < count ? i + 1 : 0];
        DrawAntialiasedLine(view, from.x, from.y, to.x, to.y, colour);
    }
    return true;
}
