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

void DrawHourLinesAndNumerals(const PixelView& view, float latitude, const PixelImage* numbers, const DialSize& size)
{
    const int left = view.clip.left, top = view.clip.top, right = view.clip.right, bottom = view.clip.bottom;
    if (!view.pixels || !numbers || !numbers->pixels || latitude == 0 || !std::isfinite(latitude))
        return;
    const int width = right - left;
    const int cx = (left + right) >> 1, cy = (top + bottom) >> 1;
    const double inner = width * 0.3;
    int k = 0;
    for (float h = 4.0f; h <= 20.0f; h = 4.0f + 0.5f * ++k) {
        double sx, sy;
        HourLineDirection(h, latitude, sx, sy);
        // Whole-hour lines stop short to leave room for their numerals.
        double outer = width * ((k & 1) ? 0.45 : HOUR_NUMERAL_RING);
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
        if (std::fabs(h - std::floor(h)) >= 0.1f)
            continue;
        const NumeralSpot spot = {.numeral = static_cast<int>(std::floor(h)),
                                  .sx = sx,
                                  .sy = sy,
                                  .radius = outer,
                                  .room = HourSectorAngle(h, latitude)};
        const PlacedNumeral numeral = PlaceNumeral(view.clip, spot, size);
        DrawRotatedImage(view, numeral.place, *numbers, numeral.cell);
    }
}
