// Tests of the kept picture of the dial's markings.
#include "dial/DialMarkings.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const DialMarkings MARKINGS = {2, 3, 4, 5, true, 100, 46.0f, {false, 15.0, 2026, 60}, true, true, 0, 0};

}  // namespace

// The picture comes back for the same markings only: any setting the lines
// are drawn from draws them anew.
TEST(KeptMarkings, HoldOnlyForTheMarkingsTheyWereDrawnFor)
{
    const int width = 8, height = 9, stride = width * 4;
    std::vector<unsigned char> drawn(stride * height), frame(stride * height, 0);
    for (size_t i = 0; i < drawn.size(); ++i)
        drawn[i] = static_cast<unsigned char>(i * 7);
    const PixelRect dial = {MARKINGS.left, MARKINGS.top, MARKINGS.left + MARKINGS.width,
                            MARKINGS.top + MARKINGS.height};
    const PixelView drawnView = {drawn.data(), stride, width, height, dial};
    const PixelView frameView = {frame.data(), stride, width, height, dial};
    CKeptMarkings kept;
    EXPECT_FALSE(kept.CopyTo(MARKINGS, frameView)) << "nothing kept yet";
    kept.Keep(MARKINGS, drawnView);
    ASSERT_TRUE(kept.CopyTo(MARKINGS, frameView));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width * 4; ++x) {
            const bool inside = y >= 3 && y < 8 && x >= 8 && x < 24;
            ASSERT_EQ(frame[y * stride + x], inside ? drawn[y * stride + x] : 0) << "x " << x << " y " << y;
        }
    }
    const struct
    {
        const char* what;
        void (*change)(DialMarkings&);
    } changes[] = {
        {"left", [](DialMarkings& m) { m.left++; }},
        {"top", [](DialMarkings& m) { m.top++; }},
        {"width", [](DialMarkings& m) { m.width--; }},
        {"height", [](DialMarkings& m) { m.height--; }},
        {"size", [](DialMarkings& m) { m.isBig = false; }},
        {"scale", [](DialMarkings& m) { m.scalePercent = 200; }},
        {"latitude", [](DialMarkings& m) { m.latitude = 46.01f; }},
        {"sun", [](DialMarkings& m) { m.sun.exact = true; }},
        {"longitude", [](DialMarkings& m) { m.sun.longitude = 14.51; }},
        {"year", [](DialMarkings& m) { m.sun.year = 2027; }},
        {"zone", [](DialMarkings& m) { m.sun.zoneMinutes = 0; }},
        {"date lines", [](DialMarkings& m) { m.dateLines = false; }},
        {"clock hours", [](DialMarkings& m) { m.clockHours = false; }},
        {"daylight saving", [](DialMarkings& m) { m.clockShiftHours = 1; }},
        {"language", [](DialMarkings& m) { m.language = 1; }},
    };
    for (const auto& c : changes) {
        DialMarkings other = MARKINGS;
        c.change(other);
        EXPECT_FALSE(kept.CopyTo(other, frameView)) << c.what;
    }
}
