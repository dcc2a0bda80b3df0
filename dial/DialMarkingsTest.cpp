// Tests of the kept picture of the dial's markings.
#include "dial/DialMarkings.h"

#include "dial/TestDial.h"

#include <gtest/gtest.h>

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

}  // namespace

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
