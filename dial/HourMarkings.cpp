// The hour lines, and the turned numerals of the sun's hours and of the clock's.
#include "dial/HourMarkings.h"

#include "dial/DialGeometry.h"
#include "sun/Solar.h"
#include "raster/AntialiasedLine.h"
#include "raster/RotatedImage.h"

#include <cmath>

PlacedNumeral PlaceNumeral(const PixelRect& dial, const NumeralSpot& spot, const DialSize& size)
{
    const int cx = (dial.left + dial.right) >> 1, cy = (dial.top + dial.bottom) >> 1;
    const double centre = spot.radius + size.numeralGap;
    const int n = spot.numeral;
    PlacedNumeral placed;
    placed.place = {TruncateCoordinate(cx + centre * spot.sx), TruncateCoordinate(cy + centre * spot.sy),
                    NumeralHalfWidth(spot.room, spot.radius, size.numeralHalfHeight), size.numeralHalfHeight,
                    static_cast<float>(-(std::atan2(spot.sx, spot.sy) * 180 * INVERSE_PI))};
    placed.cell = {static_cast<float>((n & 7) * size.numeralCell), static_cast<float>((n >> 3) * size.numeralCell),
                   static_cast<float>(size.numeralCell), static_cast<float>(size.numeralCell)};
    placed.bounds = TurnedBounds(placed.place);
    return placed;
}

namespace {

// Each pass narrows the room of a numeral that still meets another to this
// share, and so many passes are made at most.
const double NARROWING = 0.8;
const int NARROWING_PASSES = 16;

// The sun's hours whose lines are drawn, and numbered where whole.
const float FIRST_HOUR = 4.0f;
const float LAST_HOUR = 20.0f;
// Lines start this far from the gnomon, in dial widths; half-hour lines
// reach beyond the numerals' ring.
const double LINE_START = 0.3;
const double HALF_HOUR_LINE_END = 0.45;

bool HasLines(float latitude)
{
    return latitude != 0 && std::isfinite(latitude);
}

}  // namespace

bool NumeralsMeet(const PlacedNumeral& a, const PlacedNumeral& b)
{
    return a.place.halfWidth > 0 && b.place.halfWidth > 0 &&
           OutlinesMeet(OutlineOf(a.place), OutlineOf(b.place), NUMERAL_CLEARANCE);
}

void NarrowWhileTheyMeet(const PixelRect& dial, NumeralSpot* spots, PlacedNumeral* placed, int count,
                         const DialSize& size)
{
    for (int pass = 0; pass < NARROWING_PASSES; ++pass) {
        bool narrowed = false;
        for (int i = 0; i < count; ++i) {
            for (int other = 0; spots[i].radius > 0 && other < count; ++other) {
                if (other == i || !(spots[other].radius > 0) || !NumeralsMeet(placed[i], placed[other]))
                    continue;
                spots[i].room *= NARROWING;
                placed[i] = PlaceNumeral(dial, spots[i], size);
                narrowed = true;
                break;
            }
        }
        if (!narrowed)
            return;
    }
}

std::vector<PlacedNumeral> PlaceSunNumerals(const PixelRect& dial, float latitude, const DialSize& size)
{
    std::vector<PlacedNumeral> numerals;
    if (!HasLines(latitude))
        return numerals;
    const double ring = (dial.right - dial.left) * HOUR_NUMERAL_RING;
    std::vector<NumeralSpot> spots;
    for (float h = FIRST_HOUR; h <= LAST_HOUR; h += 1.0f) {
        double sx, sy;
        HourLineDirection(h, latitude, sx, sy);
        spots.push_back(
            {.numeral = static_cast<int>(h), .sx = sx, .sy = sy, .radius = ring, .room = HourSectorAngle(h, latitude)});
        numerals.push_back(PlaceNumeral(dial, spots.back(), size));
    }
    NarrowWhileTheyMeet(dial, spots.data(), numerals.data(), static_cast<int>(spots.size()), size);
    return numerals;
}

void DrawHourLines(const PixelView& view, float latitude, const DialSize& size)
{
    const int left = view.clip.left, top = view.clip.top, right = view.clip.right, bottom = view.clip.bottom;
    if (!view.pixels || !HasLines(latitude))
        return;
    const int width = right - left;
    const int cx = (left + right) >> 1, cy = (top + bottom) >> 1;
    const double inner = width * LINE_START;
    int k = 0;
    for (float h = FIRST_HOUR; h <= LAST_HOUR; h = FIRST_HOUR + 0.5f * ++k) {
        double sx, sy;
        HourLineDirection(h, latitude, sx, sy);
        // Whole-hour lines stop short to leave room for their numerals.
        double outer = width * ((k & 1) ? HALF_HOUR_LINE_END : HOUR_NUMERAL_RING);
        // Wider lines at larger scales: two-pixel strokes side by side,
        // across the line's steeper axis.
        bool steep = std::fabs(sy) > std::fabs(sx);
        for (int stroke = 0; stroke < size.hourLineStrokes; ++stroke) {
            int across = 2 * stroke - (size.hourLineStrokes - 1);
            int ox = steep ? across : 0, oy = steep ? 0 : across;
            DrawAntialiasedLine(view, TruncateCoordinate(cx + sx * outer) + ox,
                                TruncateCoordinate(cy + sy * outer) + oy, TruncateCoordinate(cx + sx * inner) + ox,
                                TruncateCoordinate(cy + sy * inner) + oy, HOUR_LINE_COLOUR);
        }
    }
}
