// Tests of the dial's markings: the curves' width and the kept picture.
#include "dial/DialMarkings.h"

#include "dial/DialGeometry.h"
#include "dial/HourMarkings.h"
#include "dial/TestDial.h"
#include "raster/BlendTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const DialFace FACE = {
    .model = DialModel::Big,
    .scalePercent = NATURAL_SCALE,
    .latitude = 46.0f,
    .sun = {.exact = false, .longitude = 15.0, .year = 2026, .zoneMinutes = 60},
    .dateLines = true,
    .clockHours = true,
    .clockShiftHours = 0,
    .language = 0,
    .moonFace = false,
};

// A white dial face of the big dial at a scale, its pixels as blue values.
struct Face
{
    explicit Face(int scalePercent)
        : size(DialSizeFor(DialModel::Big, scalePercent)), side(size.side),
          pixels(side * side * 4, 255), view {pixels.data(), side * 4, side, side, {0, 0, side, side}}
    {
        InitBlendTables();
    }
    // Ink across x0 ... x1 of row y (or down y0 ... y1 of column x), in
    // pixels of a line of the colour whose blue is lineBlue.
    double Ink(int x0, int y0, int x1, int y1, int lineBlue) const
    {
        double ink = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                ink += (255 - pixels[(y * side + x) * 4]) / double(255 - lineBlue);
        return ink;
    }

    DialSize size;
    int side;
    std::vector<unsigned char> pixels;
    PixelView view;
};

const int HOUR_LINE_BLUE = HOUR_LINE_COLOUR & 0xFF;
const int DATE_LINE_BLUE = 0xC8;

}  // namespace

// The date lines are as wide as the hour lines at every scale: the noon line
// across a row, the straight equinox line down a column.
TEST(DialMarkings, CurvesAreAsWideAsTheHourLines)
{
    const float latitude = 46;
    for (int scale : {100, 150, 200, 300}) {
        Face hours(scale), dates(scale);
        const int centre = hours.side / 2;
        const DialSize& size = hours.size;
        DrawHourLines(hours.view, latitude, size);
        const int row = centre + static_cast<int>(hours.side * 0.35);
        const double hourLine = hours.Ink(centre - 10, row, centre + 10, row, HOUR_LINE_BLUE);

        DialFace face = FACE;
        face.scalePercent = scale;
        face.latitude = latitude;
        face.clockHours = false;
        MarkingsLayout layout {};
        LayOutMarkings(dates.view.clip, face, size, layout);
        DrawLaidOutMarkings(dates.view, face, layout, nullptr, size);
        const DialCurve equinox =
            DateLine(face.sun, latitude, size.gnomonLength, DateLineDeclination(face.sun, EQUINOX_LINE), dates.side);
        const int column = centre + dates.side / 20;
        const int y = centre - static_cast<int>(std::lround(equinox.at(0).at(0).v));
        const double dateLine = dates.Ink(column, y - 8, column, y + 8, DATE_LINE_BLUE);
        EXPECT_NEAR(dateLine, hourLine, 0.6)
            << scale << " %: the date line " << dateLine << " pixels wide, the hour line " << hourLine;
    }
}

// The picture comes back for the same face in the same dial rectangle only:
// any other rectangle, or a face that differs in any field (the face's
// comparison takes them all; a few stand for the rest), draws them anew.
TEST(KeptMarkings, HoldOnlyForTheFaceTheyWereDrawnFor)
{
    const int width = 8, height = 9, stride = width * 4;
    std::vector<unsigned char> drawn(stride * height), frame(stride * height, 0);
    for (size_t i = 0; i < drawn.size(); ++i)
        drawn[i] = static_cast<unsigned char>(i * 7);
    const PixelRect dial = {2, 3, 6, 8};
    const PixelView drawnView = {drawn.data(), stride, width, height, dial};
    const PixelView frameView = {frame.data(), stride, width, height, dial};
    CKeptMarkings kept;
    EXPECT_FALSE(kept.CopyTo(FACE, frameView)) << "nothing kept yet";
    kept.Keep(FACE, drawnView);
    ASSERT_TRUE(kept.CopyTo(FACE, frameView));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width * 4; ++x) {
            const bool inside = y >= 3 && y < 8 && x >= 8 && x < 24;
            ASSERT_EQ(frame[y * stride + x], inside ? drawn[y * stride + x] : 0) << "x " << x << " y " << y;
        }
    }
    const struct
    {
        const char* what;
        void (*change)(DialFace&, PixelRect&);
    } changes[] = {
        {"left", [](DialFace&, PixelRect& r) { r.left++; }},
        {"top", [](DialFace&, PixelRect& r) { r.top++; }},
        {"width", [](DialFace&, PixelRect& r) { r.right--; }},
        {"height", [](DialFace&, PixelRect& r) { r.bottom--; }},
        {"latitude", [](DialFace& f, PixelRect&) { f.latitude = 46.01f; }},
        {"zone", [](DialFace& f, PixelRect&) { f.sun.zoneMinutes = 0; }},
        {"language", [](DialFace& f, PixelRect&) { f.language = 1; }},
    };
    for (const auto& c : changes) {
        DialFace face = FACE;
        PixelRect moved = dial;
        c.change(face, moved);
        EXPECT_FALSE(kept.CopyTo(face, ClippedTo(frameView, moved))) << c.what;
    }
}

// The clock's numerals narrow where the figure-eights crowd, as the sun's do
// where the hour lines crowd: the insides of two numerals never come within
// two pixels of each other.
TEST(ClockHours, NumeralsNeverTouch)
{
    for (float latitude : {23.5f, 10.0f, -35.0f, 45.0f, 60.0f}) {
        TestDial dial;
        DialFace face = FACE;
        face.latitude = latitude;
        face.dateLines = false;
        const DialSize size = DialSizeFor(DialModel::Big, NATURAL_SCALE);
        const PixelView view = dial.View(dial.pixels.data());
        MarkingsLayout layout {};
        LayOutMarkings(view.clip, face, size, layout);
        DrawLaidOutMarkings(view, face, layout, &dial.numbers, size);
        const int near = 2;
        for (int y = near; y < TestDial::SIDE - near; ++y) {
            for (int x = near; x < TestDial::SIDE - near; ++x) {
                const int n = dial.NumeralAt(x, y);
                for (int dy = -near; n >= 0 && dy <= near; ++dy) {
                    for (int dx = -near; dx <= near; ++dx) {
                        const int m = dial.NumeralAt(x + dx, y + dy);
                        ASSERT_TRUE(m < 0 || m == n)
                            << "at " << latitude << " degrees " << n << " touches " << m << " at x " << x << " y " << y;
                    }
                }
            }
        }
    }
}

namespace {

// A row of the layout table: where, which dial, which hour lines, which sun.
struct LayoutCase
{
    float latitude;
    DialModel model;
    bool clockHours;
    bool exactSun;
    double longitude;  // for the exact sun, the zone's meridian being 15 E
    bool crowded;      // the midday eights crowd so that numerals are left out
};

// The labels' sizes at the natural size under Wine, on one line and on two,
// in English ("21 Dec", "20 Mar, 23 Sep", "21 Jun") and in Slovenian
// ("21. dec.", "20. mar., 23. sep.", "21. jun.").
struct LabelSizes
{
    const char* language;
    int width[DATE_LABEL_COUNT];
    int wrappedWidth[DATE_LABEL_COUNT];
};
const int LABEL_HEIGHT = 11;
const LabelSizes LANGUAGES[] = {{"English", {35, 73, 30}, {0, 37, 0}}, {"Slovenian", {39, 85, 36}, {0, 44, 0}}};

std::string Describe(const LayoutCase& c)
{
    char text[96];
    snprintf(text, sizeof text, "%g N, %s dial, %s hours, %s sun", c.latitude,
             c.model == DialModel::Big ? "big" : "small", c.clockHours ? "clock" : "sun",
             c.exactSun ? "exact" : "model");
    return text;
}

bool Within(const PixelRect& box, const PixelRect& dial)
{
    return box.left >= dial.left && box.top >= dial.top && box.right <= dial.right && box.bottom <= dial.bottom;
}

// How far the part of the curve on the dial off the gnomon's picture spans,
// pixels; a negative number when no part of it does.
double SpanShown(const DialCurve& curve, const PixelRect& dial, const PixelRect& gnomon)
{
    const double cx = (dial.left + dial.right) / 2, cy = (dial.top + dial.bottom) / 2;
    double left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
    for (const std::vector<DialPoint>& run : curve) {
        for (const DialPoint& p : run) {
            const double x = cx + p.u, y = cy - p.v;
            const bool onDial = x >= dial.left && x < dial.right && y >= dial.top && y < dial.bottom;
            const bool underGnomon = x >= gnomon.left && x < gnomon.right && y >= gnomon.top && y < gnomon.bottom;
            if (onDial && !underGnomon)
                left = std::fmin(left, x), right = std::fmax(right, x), top = std::fmin(top, y),
                bottom = std::fmax(bottom, y);
        }
    }
    return right < left ? -1 : std::hypot(right - left, bottom - top);
}

// The distance from a box to the nearest point of the curve, pixels.
double Distance(const PixelRect& box, const DialCurve& curve, const PixelRect& dial)
{
    const double cx = (dial.left + dial.right) / 2, cy = (dial.top + dial.bottom) / 2;
    double nearest = INFINITY;
    for (const std::vector<DialPoint>& run : curve) {
        for (const DialPoint& p : run) {
            const double x = cx + p.u, y = cy - p.v;
            const double dx = std::fmax(std::fmax(box.left - x, x - box.right), 0);
            const double dy = std::fmax(std::fmax(box.top - y, y - box.bottom), 0);
            nearest = std::fmin(nearest, std::hypot(dx, dy));
        }
    }
    return nearest;
}

int NumeralOf(const PlacedNumeral& numeral, const DialSize& size)
{
    return static_cast<int>(numeral.cell.x) / size.numeralCell +
           8 * (static_cast<int>(numeral.cell.y) / size.numeralCell);
}

}  // namespace

// The face's numerals and labels, by the boxes the drawing goes by: none
// touches another, all stand wholly on the dial clear of the gnomon, no
// clock numeral is narrowed to a sliver, every figure-eight that shows has
// its numeral beside it unless another crowds it out, the equinoxes' label
// shows wherever its line does, and each label stands by its own line.
TEST(MarkingsLayout, NumeralsAndLabelsNeverTouch)
{
    const LayoutCase cases[] = {
        {1, DialModel::Big, true, false, 15, false},        {1, DialModel::Small, true, false, 15, false},
        {23.5f, DialModel::Big, true, false, 15, false},    {23.5f, DialModel::Small, true, false, 15, true},
        {66, DialModel::Big, true, false, 15, false},       {66, DialModel::Small, true, false, 15, false},
        {75, DialModel::Big, true, false, 15, false},       {75, DialModel::Small, true, false, 15, false},
        {1, DialModel::Big, false, false, 15, false},       {1, DialModel::Small, false, false, 15, false},
        {23.5f, DialModel::Big, false, false, 15, false},   {23.5f, DialModel::Small, false, false, 15, false},
        {66, DialModel::Big, false, false, 15, false},      {66, DialModel::Small, false, false, 15, false},
        {75, DialModel::Big, false, false, 15, false},      {75, DialModel::Small, false, false, 15, false},
        {10, DialModel::Small, true, false, 15, true},      {10, DialModel::Big, true, false, 15, true},
        {69.65f, DialModel::Big, true, true, 18.96, false}, {69.65f, DialModel::Small, true, true, 18.96, false},
        {40.4f, DialModel::Small, true, true, -3.7, false}, {40.4f, DialModel::Big, true, true, -3.7, false},
        {30, DialModel::Small, false, false, 15, false},    {35, DialModel::Small, false, false, 15, false},
        {45, DialModel::Small, false, false, 15, false},    {55, DialModel::Small, false, false, 15, false},
        {45, DialModel::Small, true, false, 15, false},     {-35, DialModel::Small, true, false, 15, false},
        {30, DialModel::Big, true, false, 15, false},       {-15, DialModel::Small, true, false, 15, true},
    };
    for (const LayoutCase& c : cases) {
        DialFace face = FACE;
        face.model = c.model;
        face.latitude = c.latitude;
        face.clockHours = c.clockHours;
        face.sun = {.exact = c.exactSun, .longitude = c.longitude, .year = 2026, .zoneMinutes = 60};
        const DialSize size = DialSizeFor(c.model, NATURAL_SCALE);
        const PixelRect dial = {7, 5, 7 + size.side, 5 + size.side};
        for (const LabelSizes& language : LANGUAGES) {
            const std::string where = Describe(c) + ", " + language.language;
            MarkingsLayout layout {};
            for (int i = 0; i < DATE_LABEL_COUNT; ++i)
                layout.labels[i] = {.width = language.width[i],
                                    .height = LABEL_HEIGHT,
                                    .wrappedWidth = language.wrappedWidth[i],
                                    .shown = false,
                                    .wrapped = false,
                                    .left = 0,
                                    .top = 0};
            LayOutMarkings(dial, face, size, layout);
            const PixelRect gnomon =
                GnomonBox(ComputeGnomonBands(dial.left, dial.top, size.side, size.side, c.latitude, size));

            std::vector<Outline> outlines;
            std::vector<std::string> names;
            for (const PlacedNumeral& numeral : layout.numerals) {
                const int n = NumeralOf(numeral, size);
                EXPECT_TRUE(!c.clockHours ||
                            numeral.place.halfWidth >= NARROWEST_CLOCK_NUMERAL * size.numeralHalfHeight)
                    << where << ": numeral " << n << " narrowed to a sliver " << 2 * numeral.place.halfWidth
                    << " pixels wide of " << 2 * size.numeralHalfHeight;
                // A sun's numeral narrowed to nothing where its lines crowd
                // draws nothing.
                if (numeral.place.halfWidth == 0)
                    continue;
                outlines.push_back(OutlineOf(numeral.place));
                names.push_back("numeral " + std::to_string(n));
                EXPECT_TRUE(Within(numeral.bounds, dial) && !OutlinesMeet(outlines.back(), OutlineOf(gnomon), 0))
                    << where << ": numeral " << n << " at " << numeral.place.centreX << "," << numeral.place.centreY
                    << " leaves the dial or lies under the gnomon";
                const double off = c.clockHours ? Distance(numeral.bounds, layout.clockHours[n], dial) : 0;
                EXPECT_LE(off, size.numeralGap)
                    << where << ": numeral " << n << " at " << numeral.place.centreX << "," << numeral.place.centreY
                    << " stands " << off << " pixels off its figure-eight";
            }
            for (int i = 0; i < DATE_LABEL_COUNT; ++i) {
                const DateLabel& label = layout.labels[i];
                if (!label.shown)
                    continue;
                outlines.push_back(OutlineOf(LabelBox(label)));
                names.push_back("label " + std::to_string(i));
                EXPECT_TRUE(Within(LabelBox(label), dial) && !OutlinesMeet(outlines.back(), OutlineOf(gnomon), 0))
                    << where << ": label " << i << " at " << label.left << "," << label.top
                    << " leaves the dial or lies under the gnomon";
                const double off = Distance(LabelBox(label), layout.dateLines[LABELLED_DATE_LINES[i]], dial);
                EXPECT_LE(off, 4) << where << ": label " << i << " stands " << off << " pixels off its line";
            }
            for (size_t a = 0; a < outlines.size(); ++a) {
                for (size_t b = a + 1; b < outlines.size(); ++b)
                    EXPECT_FALSE(OutlinesMeet(outlines[a], outlines[b], 1))
                        << where << ": " << names[a] << " touches " << names[b];
            }
            EXPECT_EQ(layout.labels[1].shown, SpanShown(layout.dateLines[EQUINOX_LINE], dial, gnomon) > 0)
                << where << ": the equinoxes' label";
            // An eight that shows without its numeral is one crowded out:
            // another numeral stands by it.
            int showing = 0;
            for (int hour = 0; c.clockHours && hour < HOURS_PER_DAY; ++hour) {
                if (!(SpanShown(layout.clockHours[hour], dial, gnomon) >= size.numeralHalfHeight / 2.0))
                    continue;
                ++showing;
                double nearest = INFINITY;
                bool numbered = false;
                for (const PlacedNumeral& numeral : layout.numerals) {
                    numbered = numbered || NumeralOf(numeral, size) == hour;
                    nearest = std::fmin(nearest, Distance(numeral.bounds, layout.clockHours[hour], dial));
                }
                EXPECT_TRUE(numbered || (c.crowded && nearest <= size.numeralHalfHeight))
                    << where << ": the eight of " << hour << " has no numeral, the nearest one " << nearest
                    << " pixels off";
            }
            if (c.clockHours) {
                EXPECT_LE(static_cast<int>(layout.numerals.size()), showing)
                    << where << ": numerals against figure-eights that show";
            }
        }
    }
}
