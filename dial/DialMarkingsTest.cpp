// Tests of the dial's markings: the curves' width and the kept picture.
#include "dial/DialMarkings.h"

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
        std::vector<unsigned char> blank(size.numeralCell * 8 * size.numeralCell * 3 * 4, 255);
        const PixelImage numbers = {blank.data(), size.numeralCell * 8 * 4, size.numeralCell * 8, size.numeralCell * 3};
        DrawHourLinesAndNumerals(hours.view, latitude, &numbers, size);
        const int row = centre + static_cast<int>(hours.side * 0.35);
        const double hourLine = hours.Ink(centre - 10, row, centre + 10, row, HOUR_LINE_BLUE);

        DialFace face = FACE;
        face.scalePercent = scale;
        face.latitude = latitude;
        DateLabel labels[DATE_LABEL_COUNT] = {};
        DrawDateLines(dates.view, face, size, labels);
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
        DrawClockHours(dial.View(dial.pixels.data()), face, &dial.numbers, DialSizeFor(DialModel::Big, NATURAL_SCALE));
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
