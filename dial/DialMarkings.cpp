// The dial's markings besides the sun-time hour lines: date lines, clock hours, and the kept picture of them all.
#include "dial/DialMarkings.h"

#include "common/Calendar.h"
#include "dial/DialGeometry.h"
#include "dial/HourMarkings.h"
#include "raster/AntialiasedLine.h"
#include "raster/RotatedImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

const unsigned int DATE_LINE_COLOUR = 0xC8C8C8;  // lighter than the hour lines: the hours read first
// Curves are followed this far from the gnomon, in dial widths: past the
// corners of the dial.
const double CURVE_REACH = 0.75;
const double FIXED_ONE = 65536;  // a pixel in the 16.16 points of a polyline
// Pixels between a date line and a label beside or above it.
const int LABEL_GAP = 3;
// Labels are tried by points of their lines this far apart at most, pixels.
const double LABEL_STEP = 2;
// Pixels a label keeps clear of a numeral, of another label and of the
// gnomon's picture, and a numeral of the gnomon's picture.
const double CLEARANCE = 2;

// The centre of the dial rectangle, where the gnomon's foot stands.
int CentreX(const PixelRect& dial)
{
    return (dial.left + dial.right) >> 1;
}
int CentreY(const PixelRect& dial)
{
    return (dial.top + dial.bottom) >> 1;
}

// The curve drawn run by run, in the dial rectangle, the view's clip
// rectangle, as wide as the hour lines: strokes two-pixel lines side by side,
// each the run moved across its own direction.
void DrawCurve(const PixelView& view, const DialCurve& curve, int strokes, unsigned int colour)
{
    const double cx = CentreX(view.clip), cy = CentreY(view.clip);
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

// How far the points of the curve that counts takes span: the diagonal of
// their bounding box, 0 for none.
template <typename Counts> double SpanOf(const DialCurve& curve, Counts counts)
{
    DialPoint low = {INFINITY, INFINITY}, high = {-INFINITY, -INFINITY};
    for (const std::vector<DialPoint>& run : curve) {
        for (const DialPoint& p : run) {
            if (!counts(p))
                continue;
            low = {std::fmin(low.u, p.u), std::fmin(low.v, p.v)};
            high = {std::fmax(high.u, p.u), std::fmax(high.v, p.v)};
        }
    }
    return high.u < low.u ? 0 : std::hypot(high.u - low.u, high.v - low.v);
}

// Whether the curve is a point: the gnomon lies on the face at the equator,
// and all its curves shrink to its tip.
bool ShrunkToAPoint(const DialCurve& curve)
{
    return !(SpanOf(curve, [](const DialPoint&) { return true; }) >= 1);
}

// Where the face's markings may stand: the dial rectangle, whose centre is
// the gnomon's foot, and the gnomon's picture, drawn over them.
struct FaceGround
{
    PixelRect dial;
    PixelRect gnomon;
};

double SurfaceX(const FaceGround& ground, const DialPoint& p)
{
    return CentreX(ground.dial) + p.u;
}
double SurfaceY(const FaceGround& ground, const DialPoint& p)
{
    return CentreY(ground.dial) - p.v;
}

bool Inside(const PixelRect& box, double x, double y)
{
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

bool Within(const PixelRect& box, const PixelRect& outer)
{
    return box.left >= outer.left && box.top >= outer.top && box.right <= outer.right && box.bottom <= outer.bottom;
}

// Whether a point of a curve shows: on the dial, off the gnomon's picture.
bool Shows(const FaceGround& ground, const DialPoint& p)
{
    const double x = SurfaceX(ground, p), y = SurfaceY(ground, p);
    return Inside(ground.dial, x, y) && !Inside(ground.gnomon, x, y);
}

// Whether a numeral or label with these bounds and this outline may stand:
// wholly on the dial, clear of the gnomon's picture.
bool OnOpenGround(const FaceGround& ground, const PixelRect& bounds, const Outline& outline)
{
    return Within(bounds, ground.dial) && !OutlinesMeet(outline, OutlineOf(ground.gnomon), CLEARANCE);
}

bool NumeralStands(const FaceGround& ground, const PlacedNumeral& numeral)
{
    return OnOpenGround(ground, numeral.bounds, OutlineOf(numeral.place));
}

// The spots a figure-eight's numeral may take, in the order tried, each
// where its numeral stands at its widest: numeralGap beyond the eight's
// farthest point that shows within the ring of the hour numerals (as the
// sun's numerals stand beyond the ends of their lines), numeralGap short of
// its nearest point that shows, and wholly short of its farthest point that
// shows (where the eight runs off the dial). Each keeps the outline of its
// numeral there, which labels must keep clear of.
const int EIGHT_SPOTS = 3;

struct EightSpots
{
    int count;
    NumeralSpot spots[EIGHT_SPOTS];
    Outline outlines[EIGHT_SPOTS];
};

// The spot whose numeral stands at distance from the foot towards p: the
// numeral's centre lies numeralGap beyond the radius PlaceNumeral is given.
NumeralSpot SpotToward(const DialPoint& p, double distance, int numeral, const DialSize& size)
{
    const double length = std::hypot(p.u, p.v);
    return {numeral, p.u / length, -p.v / length, distance - size.numeralGap, INFINITY};
}

EightSpots FindSpots(const DialCurve& curve, const FaceGround& ground, int numeral, const DialSize& size)
{
    EightSpots found = {};
    const double ring = (ground.dial.right - ground.dial.left) * HOUR_NUMERAL_RING;
    const auto counts = [&ground](const DialPoint& p) { return Shows(ground, p) && std::hypot(p.u, p.v) > 0; };
    // A speck at the gnomon's edge is no figure-eight a reader sees.
    if (!(SpanOf(curve, counts) >= size.numeralHalfHeight / 2.0))
        return found;
    DialPoint withinRing = {0, 0}, nearest = {0, 0}, farthest = {0, 0};
    double withinRingDistance = 0, nearestDistance = INFINITY, farthestDistance = 0;
    for (const std::vector<DialPoint>& run : curve) {
        for (const DialPoint& p : run) {
            if (!counts(p))
                continue;
            const double distance = std::hypot(p.u, p.v);
            if (distance <= ring && distance > withinRingDistance)
                withinRingDistance = distance, withinRing = p;
            if (distance < nearestDistance)
                nearestDistance = distance, nearest = p;
            if (distance > farthestDistance)
                farthestDistance = distance, farthest = p;
        }
    }
    const NumeralSpot candidates[EIGHT_SPOTS] = {
        SpotToward(withinRing, withinRingDistance + size.numeralGap, numeral, size),
        SpotToward(nearest, nearestDistance - size.numeralGap, numeral, size),
        SpotToward(farthest, farthestDistance - size.numeralGap - size.numeralHalfHeight, numeral, size),
    };
    for (int k = 0; k < EIGHT_SPOTS; ++k) {
        if (!(k > 0 || withinRingDistance > 0) || !(candidates[k].radius > 0))
            continue;
        const PlacedNumeral widest = PlaceNumeral(ground.dial, candidates[k], size);
        if (NumeralStands(ground, widest)) {
            found.spots[found.count] = candidates[k];
            found.outlines[found.count++] = OutlineOf(widest.place);
        }
    }
    return found;
}

// The angle between the directions of two spots.
double AngleBetween(const NumeralSpot& a, const NumeralSpot& b)
{
    return std::atan2(std::fabs(a.sx * b.sy - a.sy * b.sx), a.sx * b.sx + a.sy * b.sy);
}

// Whether a numeral's or label's outline keeps clear of the labels shown.
bool ClearOfLabels(const Outline& outline, const DateLabel (&labels)[DATE_LABEL_COUNT])
{
    for (const DateLabel& label : labels) {
        if (label.shown && OutlinesMeet(outline, OutlineOf(LabelBox(label)), CLEARANCE))
            return false;
    }
    return true;
}

// The clock's numerals are placed from noon's outward, so that where the
// eights crowd the midday ones keep their spots.
const int NOON_HOUR = HOURS_PER_DAY / 2;

// Places the clock's numerals at spots (a spot of radius 0 has none), each
// narrowed to the angle to the nearest other that stands as far from the
// gnomon (numerals a numeral's height apart or more stand one beyond the
// other and leave each other all the room across), and further, pass by
// pass, while two still meet; true when every one is readable: none
// narrowed below NARROWEST_CLOCK_NUMERAL, none meeting another.
bool FitClockNumerals(const FaceGround& ground, NumeralSpot (&spots)[HOURS_PER_DAY],
                      PlacedNumeral (&placed)[HOURS_PER_DAY], const DialSize& size)
{
    const double height = 2 * size.numeralHalfHeight + NUMERAL_CLEARANCE;
    for (NumeralSpot& spot : spots) {
        spot.room = INFINITY;
        for (const NumeralSpot& other : spots) {
            if (&other != &spot && spot.radius > 0 && other.radius > 0 &&
                std::fabs(spot.radius - other.radius) < height)
                spot.room = std::fmin(spot.room, AngleBetween(spot, other));
        }
    }
    for (int hour = 0; hour < HOURS_PER_DAY; ++hour)
        placed[hour] = PlaceNumeral(ground.dial, spots[hour], size);
    NarrowWhileTheyMeet(ground.dial, spots, placed, HOURS_PER_DAY, size);
    for (int hour = 0; hour < HOURS_PER_DAY; ++hour) {
        if (!(spots[hour].radius > 0))
            continue;
        if (placed[hour].place.halfWidth < NARROWEST_CLOCK_NUMERAL * size.numeralHalfHeight)
            return false;
        for (int other = hour + 1; other < HOURS_PER_DAY; ++other) {
            if (spots[other].radius > 0 && NumeralsMeet(placed[hour], placed[other]))
                return false;
        }
    }
    return true;
}

// The numerals of the clock's figure-eights, in hour order. From noon's
// outward, each takes the first of its eight's spots clear of the labels
// shown at which it and those placed before it are all readable (see
// FitClockNumerals): where the eights crowd, neighbours stand one beyond the
// other; one that is readable at none of its spots is left out.
std::vector<PlacedNumeral> PlaceClockNumerals(const FaceGround& ground, const EightSpots (&eights)[HOURS_PER_DAY],
                                              const DateLabel (&labels)[DATE_LABEL_COUNT], const DialSize& size)
{
    NumeralSpot spots[HOURS_PER_DAY] = {};
    PlacedNumeral placed[HOURS_PER_DAY] = {};
    for (int i = 0; i < HOURS_PER_DAY; ++i) {
        const int hour = NOON_HOUR + (i & 1 ? -(i + 1) / 2 : i / 2);
        for (int k = 0; k < eights[hour].count; ++k) {
            NumeralSpot trial[HOURS_PER_DAY];
            std::copy(spots, spots + HOURS_PER_DAY, trial);
            trial[hour] = eights[hour].spots[k];
            if (ClearOfLabels(eights[hour].outlines[k], labels) && FitClockNumerals(ground, trial, placed, size)) {
                spots[hour] = eights[hour].spots[k];
                break;
            }
        }
    }
    FitClockNumerals(ground, spots, placed, size);
    std::vector<PlacedNumeral> numerals;
    for (int hour = 0; hour < HOURS_PER_DAY; ++hour) {
        if (spots[hour].radius > 0)
            numerals.push_back(placed[hour]);
    }
    return numerals;
}

// A point of a date line a label may stand by, and its distance from the
// noon line.
struct LabelAnchor
{
    double x, y;
    double fromNoon;
};

// The points of a line that show, at most LABEL_STEP apart, nearest the
// noon line first.
std::vector<LabelAnchor> LabelAnchors(const FaceGround& ground, const DialCurve& line)
{
    std::vector<LabelAnchor> anchors;
    for (const std::vector<DialPoint>& run : line) {
        for (size_t i = 0; i < run.size(); ++i) {
            const DialPoint& a = run[i];
            const DialPoint& b = run[i + 1 < run.size() ? i + 1 : i];
            const int steps = 1 + static_cast<int>(std::hypot(b.u - a.u, b.v - a.v) / LABEL_STEP);
            for (int step = 0; step < steps; ++step) {
                const double t = static_cast<double>(step) / steps;
                const DialPoint p = {a.u + (b.u - a.u) * t, a.v + (b.v - a.v) * t};
                if (Shows(ground, p))
                    anchors.push_back({SurfaceX(ground, p), SurfaceY(ground, p), std::fabs(p.u)});
            }
        }
    }
    std::stable_sort(anchors.begin(), anchors.end(),
                     [](const LabelAnchor& a, const LabelAnchor& b) { return a.fromNoon < b.fromNoon; });
    return anchors;
}

// The places a label may take by an anchor of its line, in the order tried:
// over the line to the right of it, to the left, then beside the line, just
// above it and just below.
enum class LabelSide
{
    OverToTheRight,
    OverToTheLeft,
    Above,
    Below
};
const LabelSide LABEL_SIDES[] = {LabelSide::OverToTheRight, LabelSide::OverToTheLeft, LabelSide::Above,
                                 LabelSide::Below};

bool OverItsLine(LabelSide side)
{
    return side == LabelSide::OverToTheRight || side == LabelSide::OverToTheLeft;
}

// The box of a label width x height by an anchor, on a side.
PixelRect BoxBy(const LabelAnchor& at, int width, int height, LabelSide side)
{
    const int x = static_cast<int>(std::floor(at.x)), y = static_cast<int>(std::floor(at.y));
    const int middleTop = static_cast<int>(std::floor(at.y - height / 2.0));
    const int centredLeft = static_cast<int>(std::floor(at.x - width / 2.0));
    int left, top;
    switch (side) {
    case LabelSide::OverToTheRight: left = x + LABEL_GAP, top = middleTop; break;
    case LabelSide::OverToTheLeft: left = x + 1 - LABEL_GAP - width, top = middleTop; break;
    case LabelSide::Above: left = centredLeft, top = y - LABEL_GAP - height; break;
    default: left = centredLeft, top = y + 1 + LABEL_GAP; break;
    }
    return {left, top, left + width, top + height};
}

// Whether any segment of the curve runs through the outline.
bool Crosses(const FaceGround& ground, const DialCurve& curve, const Outline& outline)
{
    for (const std::vector<DialPoint>& run : curve) {
        for (size_t i = 1; i < run.size(); ++i) {
            if (SegmentCrosses(SurfaceX(ground, run[i - 1]), SurfaceY(ground, run[i - 1]), SurfaceX(ground, run[i]),
                               SurfaceY(ground, run[i]), outline))
                return true;
        }
    }
    return false;
}

// Which spots of the clock's numerals a label must leave clear: the first
// of every figure-eight, where its numeral stands as the sun's do, or at
// least one of each.
enum class SpotsLeft
{
    First,
    Any
};

// Whether a box leaves the numeral of every figure-eight that has spots the
// spots it must, at the numeral's widest, clear of it.
bool LeavesTheEightsTheirSpots(const Outline& box, const EightSpots (&eights)[HOURS_PER_DAY], SpotsLeft left)
{
    for (const EightSpots& eight : eights) {
        const int tried = left == SpotsLeft::First && eight.count > 0 ? 1 : eight.count;
        bool clear = eight.count == 0;
        for (int k = 0; k < tried && !clear; ++k)
            clear = !OutlinesMeet(eight.outlines[k], box, CLEARANCE);
        if (!clear)
            return false;
    }
    return true;
}

// A label's size on one line or on two.
struct LabelSize
{
    int width, height;
};

LabelSize SizeOf(const DateLabel& label, bool wrapped)
{
    return wrapped ? LabelSize {label.wrappedWidth, 2 * label.height} : LabelSize {label.width, label.height};
}

// What a label must keep clear of besides the gnomon and the labels shown:
// the numerals placed, and the spots of the clock's numerals still to be
// placed (null when there are none).
struct LabelNeighbours
{
    const std::vector<PlacedNumeral>& numerals;
    const EightSpots (*eights)[HOURS_PER_DAY];
    SpotsLeft left;
};

// Whether a label of line may take box, on side of an anchor: see
// LayOutMarkings. Other date lines may cross a label over its own line, not
// one beside it.
bool LabelFits(const FaceGround& ground, const PixelRect& box, int line, LabelSide side, const MarkingsLayout& layout,
               const LabelNeighbours& neighbours)
{
    const Outline outline = OutlineOf(box);
    if (!OnOpenGround(ground, box, outline))
        return false;
    for (const PlacedNumeral& numeral : neighbours.numerals) {
        if (numeral.place.halfWidth > 0 && OutlinesMeet(outline, OutlineOf(numeral.place), CLEARANCE))
            return false;
    }
    if (!ClearOfLabels(outline, layout.labels))
        return false;
    for (int other = 0; other < DATE_LINE_COUNT && !OverItsLine(side); ++other) {
        if (other != line && Crosses(ground, layout.dateLines[other], outline))
            return false;
    }
    return !neighbours.eights || LeavesTheEightsTheirSpots(outline, *neighbours.eights, neighbours.left);
}

// Places label i, of LABELLED_DATE_LINES, where it first fits: on one line,
// else on two.
void PlaceLabel(const FaceGround& ground, int i, MarkingsLayout& layout, const LabelNeighbours& neighbours)
{
    DateLabel& label = layout.labels[i];
    const int line = LABELLED_DATE_LINES[i];
    if (ShrunkToAPoint(layout.dateLines[line]))
        return;
    const std::vector<LabelAnchor> anchors = LabelAnchors(ground, layout.dateLines[line]);
    for (bool wrapped : {false, true}) {
        const LabelSize extent = SizeOf(label, wrapped);
        if (extent.width <= 0)
            continue;
        for (const LabelAnchor& at : anchors) {
            for (LabelSide side : LABEL_SIDES) {
                const PixelRect box = BoxBy(at, extent.width, extent.height, side);
                if (LabelFits(ground, box, line, side, layout, neighbours)) {
                    label.left = box.left;
                    label.top = box.top;
                    label.wrapped = wrapped;
                    label.shown = true;
                    return;
                }
            }
        }
    }
}

// The labels of LABELLED_DATE_LINES: the equinoxes', placed first, and the
// June and the December solstices', placed after the numerals.
const int EQUINOX_LABEL = 1;
const int SOLSTICE_LABELS[] = {2, 0};

}  // namespace

PixelRect LabelBox(const DateLabel& label)
{
    const LabelSize extent = SizeOf(label, label.wrapped);
    return {label.left, label.top, label.left + extent.width, label.top + extent.height};
}

void LayOutMarkings(const PixelRect& dial, const DialFace& face, const DialSize& size, MarkingsLayout& layout)
{
    const double reach = (dial.right - dial.left) * CURVE_REACH;
    const FaceGround ground = {dial, GnomonBox(ComputeGnomonBands(dial.left, dial.top, dial.right - dial.left,
                                                                  dial.bottom - dial.top, face.latitude, size))};
    for (int line = 0; line < DATE_LINE_COUNT; ++line)
        layout.dateLines[line] = face.dateLines ? DateLine(face.sun, face.latitude, size.gnomonLength,
                                                           DateLineDeclination(face.sun, line), reach)
                                                : DialCurve();
    for (int hour = 0; hour < HOURS_PER_DAY; ++hour)
        layout.clockHours[hour] =
            face.clockHours ? ClockHourCurve(face.sun, face.latitude, size.gnomonLength, hour, reach) : DialCurve();
    for (DateLabel& label : layout.labels)
        label.shown = label.wrapped = false;
    // The equinoxes' label comes before the clock's numerals: where it can,
    // clear of each one's first spot, else leaving each a spot.
    if (face.clockHours) {
        EightSpots eights[HOURS_PER_DAY] = {};
        for (int hour = 0; hour < HOURS_PER_DAY; ++hour)
            eights[hour] = FindSpots(layout.clockHours[hour], ground,
                                     (hour + face.clockShiftHours + HOURS_PER_DAY) % HOURS_PER_DAY, size);
        for (SpotsLeft left : {SpotsLeft::First, SpotsLeft::Any}) {
            if (!layout.labels[EQUINOX_LABEL].shown)
                PlaceLabel(ground, EQUINOX_LABEL, layout, {layout.numerals, &eights, left});
        }
        layout.numerals = PlaceClockNumerals(ground, eights, layout.labels, size);
    } else {
        layout.numerals = PlaceSunNumerals(dial, face.latitude, size);
        PlaceLabel(ground, EQUINOX_LABEL, layout, {layout.numerals, nullptr, SpotsLeft::Any});
    }
    for (int i : SOLSTICE_LABELS)
        PlaceLabel(ground, i, layout, {layout.numerals, nullptr, SpotsLeft::Any});
}

void DrawLaidOutMarkings(const PixelView& view, const DialFace& face, const MarkingsLayout& layout,
                         const PixelImage* numbers, const DialSize& size)
{
    for (const DialCurve& line : layout.dateLines)
        DrawCurve(view, line, size.hourLineStrokes, DATE_LINE_COLOUR);
    if (face.clockHours) {
        for (const DialCurve& eight : layout.clockHours)
            DrawCurve(view, eight, size.hourLineStrokes, HOUR_LINE_COLOUR);
    } else {
        DrawHourLines(view, face.latitude, size);
    }
    if (!numbers || !numbers->pixels)
        return;
    for (const PlacedNumeral& numeral : layout.numerals)
        DrawRotatedImage(view, numeral.place, *numbers, numeral.cell);
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
