// The dial's markings besides the sun-time hour lines: date lines, clock hours, and the kept picture of them all.
#include "dial/DialMarkings.h"

#include "common/Calendar.h"
#include "dial/HourMarkings.h"
#include "raster/AntialiasedLine.h"
#include "raster/RotatedImage.h"

#include <cmath>
#include <cstring>
#include <new>

namespace {

const unsigned int DATE_LINE_COLOUR = 0xC8C8C8;  // lighter than the hour lines: the hours read first
// Curves are followed this far from the gnomon, in dial widths: past the
// corners of the dial.
const double CURVE_REACH = 0.75;
const double FIXED_ONE = 65536;  // a pixel in the 16.16 points of a polyline
// Pixels between a date line and its label, besides half the gnomon.
const int LABEL_GAP = 3;

// The centre of the dial rectangle, where the gnomon's foot stands.
int CentreX(const PixelRect& dial)
{
    return (dial.left + dial.right) >> 1;
}
int CentreY(const PixelRect& dial)
{
    return (dial.top + dial.bottom) >> 1;
}

// The curve drawn run by run, in the dial rectangle, the view's clip rectangle.
void DrawCurve(const PixelView& view, const DialCurve& curve, unsigned int colour)
{
    const double cx = CentreX(view.clip), cy = CentreY(view.clip);
    std::vector<PixelPoint> points;
    for (const std::vector<DialPoint>& run : curve) {
        points.clear();
        for (const DialPoint& p : run)
            points.push_back({static_cast<int>(std::lround((cx + p.u) * FIXED_ONE)),
                              static_cast<int>(std::lround((cy - p.v) * FIXED_ONE))});
        DrawAntialiasedPolyline(view, points.data(), static_cast<int>(points.size()), colour);
    }
}

// Whether the box (u from left to right, v from bottom to top) keeps out of
// the band of the hour numerals round the ring of a dial width wide.
bool ClearOfNumerals(double left, double right, double bottom, double top, int width, const DialSize& size)
{
    const double ring = width * HOUR_NUMERAL_RING;
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
bool LabelBeside(const DialPoint& p, const PixelRect& dial, const DialSize& size, DateLabel& label)
{
    const int width = dial.right - dial.left;
    const double halfWidth = width / 2.0, halfHeight = (dial.bottom - dial.top) / 2.0;
    const double gap = size.rod.width / 2 + LABEL_GAP;
    const double top = p.v + label.height / 2.0;
    if (top > halfHeight || top - label.height < -halfHeight)
        return false;
    double left = p.u + gap;
    if (left + label.width > halfWidth ||
        !ClearOfNumerals(left, left + label.width, top - label.height, top, width, size))
        left = p.u - gap - label.width;
    if (left < -halfWidth || !ClearOfNumerals(left, left + label.width, top - label.height, top, width, size))
        return false;
    label.left = CentreX(dial) + static_cast<int>(std::floor(left));
    label.top = CentreY(dial) - static_cast<int>(std::ceil(top));
    return true;
}

}  // namespace

void DrawDateLines(const PixelView& view, const DialFace& face, const DialSize& size,
                   DateLabel (&labels)[DATE_LABEL_COUNT])
{
    for (DateLabel& label : labels)
        label.shown = false;
    const double reach = (view.clip.right - view.clip.left) * CURVE_REACH;
    for (int line = 0; line < DATE_LINE_COUNT; ++line) {
        const DialCurve curve =
            DateLine(face.sun, face.latitude, size.gnomonLength, DateLineDeclination(face.sun, line), reach);
        DrawCurve(view, curve, DATE_LINE_COLOUR);
        for (int i = 0; i < DATE_LABEL_COUNT; ++i) {
            if (LABELLED_DATE_LINES[i] != line || ShrunkToAPoint(curve, size))
                continue;
            double nearest = INFINITY;
            for (const std::vector<DialPoint>& run : curve) {
                for (const DialPoint& p : run) {
                    DateLabel spot = labels[i];
                    if (std::fabs(p.u) < nearest && LabelBeside(p, view.clip, size, spot)) {
                        nearest = std::fabs(p.u);
                        labels[i] = spot;
                        labels[i].shown = true;
                    }
                }
            }
        }
    }
}

void DrawClockHours(const PixelView& view, const DialFace& face, const PixelImage* numbers, const DialSize& size)
{
    const int width = view.clip.right - view.clip.left;
    const double reach = width * CURVE_REACH, ring = width * HOUR_NUMERAL_RING;
    DialCurve curves[HOURS_PER_DAY];
    // Each hour's numeral beyond the farthest point of its curve within the
    // ring; a radius of 0 for none.
    NumeralSpot spots[HOURS_PER_DAY] = {};
    for (int hour = 0; hour < HOURS_PER_DAY; ++hour) {
        curves[hour] = ClockHourCurve(face.sun, face.latitude, size.gnomonLength, hour, reach);
        DialPoint end = {0, 0};
        double farthest = -1;
        for (const std::vector<DialPoint>& run : curves[hour]) {
            for (const DialPoint& p : run) {
                const double distance = std::hypot(p.u, p.v);
                if (distance <= ring && distance > farthest) {
                    farthest = distance;
                    end = p;
                }
            }
        }
        if (farthest <= 0 || ShrunkToAPoint(curves[hour], size))
            continue;
        spots[hour] = {.numeral = (hour + face.clockShiftHours + HOURS_PER_DAY) % HOURS_PER_DAY,
                       .sx = end.u / farthest,
                       .sy = -end.v / farthest,
                       .radius = farthest,
                       .room = INFINITY};
    }
    // The room of a numeral: the angle to the nearer of the numerals of the
    // hours before and after it.
    for (int hour = 0; hour < HOURS_PER_DAY; ++hour) {
        NumeralSpot& spot = spots[hour];
        for (int beside : {hour + HOURS_PER_DAY - 1, hour + 1}) {
            const NumeralSpot& other = spots[beside % HOURS_PER_DAY];
            if (spot.radius > 0 && other.radius > 0)
                spot.room = std::fmin(spot.room, std::atan2(std::fabs(spot.sx * other.sy - spot.sy * other.sx),
                                                            spot.sx * other.sx + spot.sy * other.sy));
        }
    }
    for (int hour = 0; hour < HOURS_PER_DAY; ++hour) {
        DrawCurve(view, curves[hour], HOUR_LINE_COLOUR);
        if (spots[hour].radius > 0 && numbers && numbers->pixels) {
            const PlacedNumeral numeral = PlaceNumeral(view.clip, spots[hour], size);
            DrawRotatedImage(view, numeral.place, *numbers, numeral.cell);
        }
    }
}

bool CKeptMarkings::CopyTo(const DialFace& face, const PixelView& view) const
{
    if (!m_pixels || !view.pixels || !(view.clip == m_dial && face == m_face))
        return false;
    const PixelRect& dial = view.clip;
    const size_t rowBytes = static_cast<size_t>(dial.right - dial.left) * 4;
    for (int y = dial.top; y < dial.bottom; ++y)
        memcpy(view.pixels + static_cast<size_t>(y) * view.stride + dial.left * 4,
               m_pixels.get() + (y - dial.top) * rowBytes, rowBytes);
    return true;
}

void CKeptMarkings::Keep(const DialFace& face, const PixelView& view)
{
    m_pixels.reset();
    const PixelRect& dial = view.clip;
    if (!view.pixels || dial.right <= dial.left || dial.bottom <= dial.top)
        return;
    const size_t rowBytes = static_cast<size_t>(dial.right - dial.left) * 4;
    m_pixels.reset(new (std::nothrow) unsigned char[rowBytes * (dial.bottom - dial.top)]);
    if (!m_pixels)
        return;
    m_face = face;
    m_dial = dial;
    for (int y = dial.top; y < dial.bottom; ++y)
        memcpy(m_pixels.get() + (y - dial.top) * rowBytes,
               view.pixels + static_cast<size_t>(y) * view.stride + dial.left * 4, rowBytes);
}
