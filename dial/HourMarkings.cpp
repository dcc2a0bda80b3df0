// The hour lines and the turned numerals of the dial.
#include "dial/HourMarkings.h"

#include "dial/DialGeometry.h"
#include "sun/Solar.h"
#include "raster/AntialiasedLine.h"
#include "raster/RotatedImage.h"

#include <cmath>

void DrawHourLinesAndNumerals(const PixelView& view, float latitude, const PixelImage* numbers, const DialSize& size)
{
    const int left = view.clip.left, top = view.clip.top, right = view.clip.right, bottom = view.clip.bottom;
    if (!view.pixels || !numbers || !numbers->pixels || latitude == 0 || !std::isfinite(latitude))
        return;
    const int halfHeight = size.numeralHalfHeight;
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
        int n = static_cast<int>(std::floor(h));
        int halfWidth = NumeralHalfWidth(h, latitude, outer, halfHeight);
        int x = TruncateCoordinate(cx + (outer + size.numeralGap) * sx);
        int y = TruncateCoordinate(cy + (outer + size.numeralGap) * sy);
        float angle = static_cast<float>(-(std::atan2(sx, sy) * 180 * INVERSE_PI));
        const SourceRect numeral = {static_cast<float>((n & 7) * size.numeralCell),
                                    static_cast<float>((n >> 3) * size.numeralCell),
                                    static_cast<float>(size.numeralCell), static_cast<float>(size.numeralCell)};
        DrawRotatedImage(view, {x, y, halfWidth, halfHeight, angle}, *numbers, numeral);
    }
}
