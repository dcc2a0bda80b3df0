// The dial's markings besides the sun-time hour lines: date lines, clock hours, and the kept picture of them all.
#include "dial/DialMarkings.h"

#include "dial/DialGeometry.h"
#include "dial/HourMarkings.h"
#include "raster/AntialiasedLine.h"
#include "raster/RotatedImage.h"

#include <cmath>
#include <cstring>
#include <new>

namespace {

const unsigned int DATE_LINE_COLOUR = 0xC8C8C8;   // lighter than the hour lines: the hours read first
const unsigned int CLOCK_HOUR_COLOUR = 0xC0C0C0;  // the hour lines' silver
// Curves are followed this far from the gnomon, in dial widths: past the
// corners of the dial.
const double CURVE_REACH = 0.75;
const int HOURS_PER_DAY = 24;
const double FIXED_ONE = 65536;  // a pixel in the 16.16 points of a polyline
// Pixels between a date line and its label, besides half the gnomon.
const int LABEL_GAP = 3;

int Centre(int start, int length)
{
    return (start + start + length) >> 1;
}

// The curve drawn run by run, in the dial rectangle, as wide as the hour
// lines: strokes two-pixel lines side by side, each the run moved across its
// own direction.
void DrawCurve(const PixelView& view, const DialMarkings& m, const DialCurve& curve, int strokes, unsigned int colour)
{
    const double cx = Centre(m.left, m.width), cy = Centre(m.top, m.height);
    std::vector<PixelPoint> points;
    for (const std::vector<DialPoint>& run : curve) {
        const size_t count = run.size();
        for (int stroke = 0; stroke < strokes; ++stroke) {
            const double across = 2 * stroke - (strokes - 1);
            points.clear();
            for (size_t i = 0; i < count; ++i) {
                const DialPoint& before = run[i > 0 ? i - 1 : i];
                const DialPoint& after = run[i + 1 < count ? i + 1 : i];
                const double du = after.u - before.u, dv = after.v - before.v, length = std::hypot(du, dv);
                const double shift = length > 0 ? across / length : 0;
                const DialPoint p = {run[i].u - dv * shift, run[i].v + du * shift};
                points.push_back({static_cast<int>(std::lround((cx + p.u) * FIXED_ONE)),
                                  static_cast<int>(std::lround((cy - p.v) * FIXED_ONE))});
            }
            DrawAntialiasedPolyline(view, points.data(), static_cast<int>(points.size()), colour);
        }
    }
}

// Whether the box (u from left to right, v from bottom to top) keeps out of
// the band of the hour numerals round the ring.
bool ClearOfNumerals(double left, double right, double bottom, double top, const DialMarkings& m, const DialSize& size)
{
    const double ring = m.width * HOUR_NUMERAL_RING;
    const double inner = ring - size.numeralHalfHeight, outer = ring + size.numeralGap + 2 * size.numeralHalfHeight;
    const double farU = std::fmax(std::fabs(left), std::fabs(right)),
                 farV = std::fmax(std::fabs(bottom), std::fabs(top));
    const double nearU = left > 0 ? left : right < 0 ? -right : 0, nearV = bottom > 0 ? bottom : top < 0 ? -top : 0;
    return std::hypot(farU, farV) < inner || std::hypot(nearU, nearV) > outer;
}

// Whether the curve spans less than a numeral: the gnomon lies on the face
// at the equator, and all its curves shrink to its tip, where numerals and
// labels would pile up.
bool ShrunkToAPoint(const DialCurve& curve, const DialSize& size)
{
    DialPoint low = {INFINITY, INFINITY}, high = {-INFINITY, -INFINITY};
    for (const std::vector<DialPoint>& run : curve) {
        for (const DialPoint& p : run) {
            low = {std::fmin(low.u, p.u), std::fmin(low.v, p.v)};
            high = {std::fmax(high.u, p.u), std::fmax(high.v, p.v)};
        }
    }
    return !(std::hypot(high.u - low.u, high.v - low.v) >= 2 * size.numeralHalfHeight);
}

// Where the label of width x height fits beside point p of the dial (u, v
// from the centre): to its right, else to its left, away from the gnomon's
// picture on the noon line; false when neither lies wholly on the dial
// clear of the numerals.
bool LabelBeside(const DialPoint& p, const DialMarkings& m, const DialSize& size, DateLabel& label)
{
    const double halfWidth = m.width / 2.0, halfHeight = m.height / 2.0;
    const double gap = size.rod.width / 2 + LABEL_GAP;
    const double top = p.v + label.height / 2.0;
    if (top > halfHeight || top - label.height < -halfHeight)
        return false;
    double left = p.u + gap;
    if (left + label.width > halfWidth || !ClearOfNumerals(left, left + label.width, top - label.height, top, m, size))
        left = p.u - gap - label.width;
    if (left < -halfWidth || !ClearOfNumerals(left, left + label.width, top - label.height, top, m, size))
        return false;
    label.left = Centre(m.left, m.width) + static_cast<int>(std::floor(left));
    label.top = Centre(m.top, m.height) - static_cast<int>(std::ceil(top));
    return true;
}

}  // namespace

bool SameMarkings(const DialMarkings& a, const DialMarkings& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height && a.isBig == b.isBig &&
           a.scalePercent == b.scalePercent && a.latitude == b.latitude && a.sun.exact == b.sun.exact &&
           a.sun.longitude == b.sun.longitude && a.sun.year == b.sun.year && a.sun.zoneMinutes == b.sun.zoneMinutes &&
           a.dateLines == b.dateLines && a.clockHours == b.clockHours && a.clockShiftHours == b.clockShiftHours &&
           a.language == b.language;
}

void DrawDateLines(const PixelView& view, const DialMarkings& markings, const DialSize& size,
                   DateLabel (&labels)[DATE_LABEL_COUNT])
{
    for (DateLabel& label : labels)
        label.shown = false;
    const double reach = markings.width * CURVE_REACH;
    for (int line = 0; line < DATE_LINE_COUNT; ++line) {
        const DialCurve curve = DateLine(markings.sun, markings.latitude, size.gnomonLength,
                                         DateLineDeclination(markings.sun, line), reach);
        DrawCurve(view, markings, curve, size.hourLineStrokes, DATE_LINE_COLOUR);
        for (int i = 0; i < DATE_LABEL_COUNT; ++i) {
            if (LABELLED_DATE_LINES[i] != line || ShrunkToAPoint(curve, size))
                continue;
            double nearest = INFINITY;
            for (const std::vector<DialPoint>& run : curve) {
                for (const DialPoint& p : run) {
                    DateLabel spot = labels[i];
                    if (std::fabs(p.u) < nearest && LabelBeside(p, markings, size, spot)) {
                        nearest = std::fabs(p.u);
                        labels[i] = spot;
                        labels[i].shown = true;
                    }
                }
            }
        }
    }
}

void DrawClockHours(const PixelView& view, const DialMarkings& markings, const PixelImage* numbers,
                    const DialSize& size)
{
    const double reach = markings.width * CURVE_REACH, ring = markings.width * HOUR_NUMERAL_RING;
    const int halfHeight = size.numeralHalfHeight;
    const int cx = Centre(markings.left, markings.width), cy = Centre(markings.top, markings.height);
    for (int hour = 0; hour < HOURS_PER_DAY; ++hour) {
        const DialCurve curve = ClockHourCurve(markings.sun, markings.latitude, size.gnomonLength, hour, reach);
        DrawCurve(view, markings, curve, size.hourLineStrokes, CLOCK_HOUR_COLOUR);
        // The numeral beyond the farthest point within the ring.
        DialPoint far = {0, 0};
        double farthest = -1;
        for (const std::vector<DialPoint>& run : curve) {
            for (const DialPoint& p : run) {
                const double distance = std::hypot(p.u, p.v);
                if (distance <= ring && distance > farthest) {
                    farthest = distance;
                    far = p;
                }
            }
        }
        if (!numbers || !numbers->pixels || farthest <= 0 || ShrunkToAPoint(curve, size))
            continue;
        const double sx = far.u / farthest, sy = -far.v / farthest;
        const int n = (hour + markings.clockShiftHours + HOURS_PER_DAY) % HOURS_PER_DAY;
        const int x = TruncateCoordinate(cx + (farthest + size.numeralGap) * sx);
        const int y = TruncateCoordinate(cy + (farthest + size.numeralGap) * sy);
        const float angle = static_cast<float>(-(std::atan2(sx, sy) * 180 * INVERSE_PI));
        const SourceRect numeral = {static_cast<float>((n & 7) * size.numeralCell),
                                    static_cast<float>((n >> 3) * size.numeralCell),
                                    static_cast<float>(size.numeralCell), static_cast<float>(size.numeralCell)};
        DrawRotatedImage(view, {x, y, halfHeight, halfHeight, angle}, *numbers, numeral);
    }
}

bool CKeptMarkings::CopyTo(const DialMarkings& markings, const PixelView& view) const
{
    if (!m_pixels || !view.pixels || !SameMarkings(markings, m_markings))
        return false;
    const size_t rowBytes = static_cast<size_t>(markings.width) * 4;
    for (int y = 0; y < markings.height; ++y)
        memcpy(view.pixels + static_cast<size_t>(markings.top + y) * view.stride + markings.left * 4,
               m_pixels.get() + y * rowBytes, rowBytes);
    return true;
}

void CKeptMarkings::Keep(const DialMarkings& markings, const PixelView& view)
{
    m_pixels.reset();
    if (!view.pixels || markings.width <= 0 || markings.height <= 0)
        return;
    const size_t rowBytes = static_cast<size_t>(markings.width) * 4;
    m_pixels.reset(new (std::nothrow) unsigned char[rowBytes * markings.height]);
    if (!m_pixels)
        return;
    m_markings = markings;
    for (int y = 0; y < markings.height; ++y)
        memcpy(m_pixels.get() + y * rowBytes,
               view.pixels + static_cast<size_t>(markings.top + y) * view.stride + markings.left * 4, rowBytes);
}
