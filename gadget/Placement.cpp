// Placement rules of the gadget's window over the monitors' work areas.
#include "gadget/Placement.h"

#include "common/Saturate.h"

namespace {

// Window sides are taken between these, so that a zero-sized window still
// needs a place and area products of two sides stay far inside 64 bits.
const long long MIN_SIDE = 1;
const long long MAX_SIDE = 1 << 20;

// Dragging keeps at least a third of the window's area on one work area.
const long long DRAG_SHARE_DIVISOR = 3;
// A little over the square root of a third (0.57735), per mille: the share of
// each side kept on the area when the window is pushed off over a corner.
const long long CORNER_SIDE_PER_MILLE = 578;
const long long PER_MILLE = 1000;

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
    return Clamp(wanted, low, high);
}

long long CeilDivide(long long value, long long divisor)
{
    return (value + divisor - 1) / divisor;
}

// The nearest place found so far to `wanted`.
class CNearest
{
public:
    explicit CNearest(PlacePoint wanted) : m_wanted(wanted), m_best(wanted) { }
    void Offer(long long x, long long y)
    {
        // Moves of up to 2^33 pixels: their squares need a double.
        double dx = static_cast<double>(x - m_wanted.x);
        double dy = static_cast<double>(y - m_wanted.y);
        double distance = dx * dx + dy * dy;
        if (m_distance < 0 || distance < m_distance) {
            m_distance = distance;
            m_best = {SaturateToInt(x), SaturateToInt(y)};
        }
    }
    PlacePoint Best() const { return m_best; }

private:
    PlacePoint m_wanted;
    PlacePoint m_best;
    double m_distance = -1;
};

// The place on one work area nearest to `wanted` that keeps `visibleX` of
// the window's width and `visibleY` of its height on it.
void OfferAllowed(CNearest& nearest, PlacePoint wanted, long long width, long long height, long long visibleX,
                  long long visibleY, const PlaceRect& area)
{
    nearest.Offer(AllowedStart(wanted.x, width, visibleX, area.left, area.right),
                  AllowedStart(wanted.y, height, visibleY, area.top, area.bottom));
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
                return KeepOnScreen(*stored, width, height, screens);
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
    return {SaturateToInt(area.left + (spareX >> 1)), SaturateToInt(area.top + (spareY >> 1))};
}

PlacePoint KeepOnScreen(PlacePoint topLeft, int width, int height, const WorkAreas& screens)
{
    long long w = Side(width);
    long long h = Side(height);
    CNearest nearest(topLeft);
    for (int i = 0; i < screens.count; ++i)
        OfferAllowed(nearest, topLeft, w, h, w, h, screens.areas[i]);
    return nearest.Best();
}

PlacePoint LimitDrag(PlacePoint wanted, int width, int height, const WorkAreas& screens)
{
    long long w = Side(width);
    long long h = Side(height);
    long long third = CeilDivide(w * h, DRAG_SHARE_DIVISOR);
    CNearest nearest(wanted);
    for (int i = 0; i < screens.count; ++i) {
        const PlaceRect& area = screens.areas[i];
        // Off one side only, a third of that side is enough.
        long long x = AllowedStart(wanted.x, w, CeilDivide(w, DRAG_SHARE_DIVISOR), area.left, area.right);
        long long y = AllowedStart(wanted.y, h, CeilDivide(h, DRAG_SHARE_DIVISOR), area.top, area.bottom);
        long long shownX = Overlap(x, w, area.left, area.right);
        long long shownY = Overlap(y, h, area.top, area.bottom);
        if (shownX * shownY >= third) {
            nearest.Offer(x, y);
            continue;
        }
        // Off over a corner: more of one side, more of the other, or the same
        // share of both, whichever is the least move.
        if (shownY > 0)
            OfferAllowed(nearest, wanted, w, h, CeilDivide(third, shownY), shownY, area);
        if (shownX > 0)
            OfferAllowed(nearest, wanted, w, h, shownX, CeilDivide(third, shownX), area);
        long long cornerX = CeilDivide(w * CORNER_SIDE_PER_MILLE, PER_MILLE);
        OfferAllowed(nearest, wanted, w, h, cornerX, CeilDivide(third, cornerX), area);
    }
    return nearest.Best();
}
