// Placement rules of the gadget's window over the monitors' work areas.
#include "gadget/Placement.h"

#include <climits>

namespace {

// Window sides are taken between these, so that a zero-sized window still
// needs a place and area products of two sides stay far inside 64 bits.
const long long MIN_SIDE = 1;
const long long MAX_SIDE = 1 << 20;

// Share of each side that dragging keeps on a work area: (7/12)^2 = 49/144,
// over a third of the window's area.
const long long DRAG_SHARE_NUMERATOR = 7;
const long long DRAG_SHARE_DENOMINATOR = 12;

long long Clamp(long long value, long long low, long long high)
{
    if (value > high)
        value = high;
    return value < low ? low : value;
}

int ToInt(long long value)
{
    return static_cast<int>(Clamp(value, INT_MIN, INT_MAX));
}

long long Side(int length)
{
    return Clamp(length, MIN_SIDE, MAX_SIDE);
}

long long Overlap(long long start, long long length, int areaStart, int areaEnd)
{
    long long end = start + length;
    long long from = start > areaStart ? start : areaStart;
    long long to = end < areaEnd ? end : areaEnd;
    return to > from ? to - from : 0;
}

// The place of the window's start on one axis that is nearest to `wanted`
// and keeps `visible` of its `length` inside [areaStart, areaEnd); when the
// area is too short for that, the window's start goes as far towards the
// area's start as the rule lets it.
long long AllowedStart(long long wanted, long long length, long long visible, int areaStart, int areaEnd)
{
    long long low = areaStart + visible - length;
    long long high = areaEnd - visible;
    return Clamp(wanted, low, high < low ? low : high);
}

// Of the places on each work area that keep `visibleX` x `visibleY` of the
// window on it, the one nearest to `wanted`.
PlacePoint NearestAllowed(PlacePoint wanted, long long width, long long height, long long visibleX, long long visibleY,
                          const WorkAreas& screens)
{
    PlacePoint best = wanted;
    double bestDistance = -1;
    for (int i = 0; i < screens.count; ++i) {
        const PlaceRect& area = screens.areas[i];
        long long x = AllowedStart(wanted.x, width, visibleX, area.left, area.right);
        long long y = AllowedStart(wanted.y, height, visibleY, area.top, area.bottom);
        // Moves of up to 2^33 pixels: their squares need a double.
        double dx = static_cast<double>(x - wanted.x);
        double dy = static_cast<double>(y - wanted.y);
        double distance = dx * dx + dy * dy;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = {ToInt(x), ToInt(y)};
        }
    }
    return best;
}

}  // namespace

PlacePoint StartPlace(const PlacePoint* stored, int width, int height, const WorkAreas& screens)
{
    long long w = Side(width);
    long long h = Side(height);
    if (stored) {
        for (int i = 0; i < screens.count; ++i) {
            const PlaceRect& area = screens.areas[i];
            long long shown =
                Overlap(stored->x, w, area.left, area.right) * Overlap(stored->y, h, area.top, area.bottom);
            if (3 * shown >= 2 * w * h)
                return *stored;
        }
    }
    if (screens.count <= 0)
        return stored ? *stored : PlacePoint {0, 0};
    int primary = screens.primary >= 0 && screens.primary < screens.count ? screens.primary : 0;
    const PlaceRect& area = screens.areas[primary];
    // Floor halves, so that an odd spare pixel goes to the right and bottom
    // whatever the signs.
    long long spareX = static_cast<long long>(area.right) - area.left - w;
    long long spareY = static_cast<long long>(area.bottom) - area.top - h;
    return {ToInt(area.left + (spareX >> 1)), ToInt(area.top + (spareY >> 1))};
}

PlacePoint KeepOnScreen(PlacePoint topLeft, int width, int height, const WorkAreas& screens)
{
    long long w = Side(width);
    long long h = Side(height);
    return NearestAllowed(topLeft, w, h, w, h, screens);
}

PlacePoint LimitDrag(PlacePoint wanted, int width, int height, const WorkAreas& screens)
{
    long long w = Side(width);
    long long h = Side(height);
    // Rounded up, so that the shares never fall below 7/12.
    long long visibleX = (w * DRAG_SHARE_NUMERATOR + DRAG_SHARE_DENOMINATOR - 1) / DRAG_SHARE_DENOMINATOR;
    long long visibleY = (h * DRAG_SHARE_NUMERATOR + DRAG_SHARE_DENOMINATOR - 1) / DRAG_SHARE_DENOMINATOR;
    return NearestAllowed(wanted, w, h, visibleX, visibleY, screens);
}
