// Tests of the window placement rules over one and two monitors.
#include "gadget/Placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace {

// The primary monitor with a taskbar at the bottom, and a smaller second
// monitor to its left, reaching higher (negative coordinates).
const PlaceRect AREAS[] = {{0, 0, 1920, 1040}, {-1280, -300, 0, 724}};
const WorkAreas TWO = {AREAS, 2, 0};
const WorkAreas SECOND_IS_PRIMARY = {AREAS, 2, 1};
const WorkAreas PRIMARY_ONLY = {AREAS, 1, 0};
const WorkAreas PRIMARY_OUTSIDE = {AREAS, 2, 2};
// A work area a pixel narrower and 99 pixels lower than the window.
const PlaceRect TOO_SMALL_AREA = {0, 0, 299, 201};
const WorkAreas TOO_SMALL = {&TOO_SMALL_AREA, 1, 0};
const PlaceRect SXGA_AREA[] = {{0, 0, 1280, 1024}};
const WorkAreas SXGA = {SXGA_AREA, 1, 0};
const int SIDE = 300;  // the window's width and height unless a row says otherwise

void ExpectPlace(const char* what, PlacePoint got, PlacePoint want)
{
    EXPECT_TRUE(got.x == want.x && got.y == want.y)
        << what << ": got (" << got.x << ", " << got.y << "), expected (" << want.x << ", " << want.y << ")";
}

}  // namespace

TEST(Placement, StartPlace)
{
    const PlacePoint centred = {810, 370};
    struct Row
    {
        const char* what;
        bool stored;
        PlacePoint place;
        const WorkAreas* screens;
        PlacePoint want;
        int side;
    } rows[] = {
        {"nothing stored", false, {0, 0}, &TWO, centred, SIDE},
        {"two thirds on the primary, moved wholly on", true, {1720, 500}, &TWO, {1620, 500}, SIDE},
        {"wholly on the primary", true, {1000, 500}, &TWO, {1000, 500}, SIDE},
        {"a pixel less than two thirds", true, {1721, 500}, &TWO, centred, SIDE},
        {"on the monitor at negative coordinates", true, {-1000, -200}, &TWO, {-1000, -200}, SIDE},
        {"half on each monitor", true, {-150, 100}, &TWO, centred, SIDE},
        {"that monitor unplugged", true, {-1000, -200}, &PRIMARY_ONLY, centred, SIDE},
        {"centred on the primary, not the first", false, {0, 0}, &SECOND_IS_PRIMARY, {-790, 62}, SIDE},
        {"primary index outside the list", false, {0, 0}, &PRIMARY_OUTSIDE, centred, SIDE},
        {"larger than the area by odd pixels: halves floored", false, {0, 0}, &TOO_SMALL, {-1, -50}, SIDE},
        {"no such monitor", true, {5000, -3000}, &TWO, centred, SIDE},
        {"largest corner", true, {INT_MAX, INT_MAX}, &TWO, centred, SIDE},
        {"smallest corner", true, {INT_MIN, -INT_MAX}, &TWO, centred, SIDE},
        // A big gadget left wholly on the screen at 125 % (579 pixels) comes
        // back at 175 % (810 pixels) wholly on it, its buttons too.
        {"grown at a larger scale", true, {509, 381}, &SXGA, {470, 214}, 810},
    };
    for (const Row& row : rows)
        ExpectPlace(row.what, StartPlace(row.stored ? &row.place : nullptr, row.side, row.side, *row.screens),
                    row.want);
}

TEST(Placement, KeepOnScreen)
{
    struct Row
    {
        const char* what;
        PlacePoint place;
        int width, height;
        PlacePoint want;
    } rows[] = {
        {"wholly on the primary", {100, 100}, SIDE, SIDE, {100, 100}},
        {"over the bottom right corner", {1800, 900}, SIDE, SIDE, {1620, 740}},
        {"beyond the upper left monitor", {-5000, -5000}, SIDE, SIDE, {-1280, -300}},
        {"mostly on the second, nearer the primary", {-100, 100}, SIDE, SIDE, {0, 100}},
        {"largest and smallest values", {INT_MAX, INT_MIN}, SIDE, SIDE, {1620, 0}},
        {"larger than the work area", {100, 100}, 2000, 1200, {0, 0}},
        {"zero-sized, taken as one pixel", {5000, 500}, 0, 0, {1919, 500}},
    };
    for (const Row& row : rows)
        ExpectPlace(row.what, KeepOnScreen(row.place, row.width, row.height, TWO), row.want);
}

TEST(Placement, LimitDrag)
{
    // Off one side 100 of the 300 pixels stay on a work area; over a corner
    // 174 x 173.
    struct Row
    {
        const char* what;
        PlacePoint wanted, want;
    } rows[] = {
        {"on the screen", {100, 100}, {100, 100}},
        {"far right", {5000, 500}, {1820, 500}},
        {"far below", {500, 5000}, {500, 940}},
        {"far beyond the upper left monitor", {-5000, -5000}, {-1406, -427}},
        {"largest and smallest values", {INT_MAX, INT_MIN}, {1746, -127}},
    };
    for (const Row& row : rows)
        ExpectPlace(row.what, LimitDrag(row.wanted, SIDE, SIDE, TWO), row.want);
}

TEST(Placement, DragKeepsAThirdOnOneMonitor)
{
    // An odd size, so that the rounding of the shares shows.
    const int width = 263, height = 131;
    for (int y = -3000; y <= 3000; y += 37) {
        for (int x = -4000; x <= 4000; x += 41) {
            PlacePoint got = LimitDrag({x, y}, width, height, TWO);
            long long best = 0;
            for (const PlaceRect& area : AREAS) {
                long long w = std::min(got.x + width, area.right) - std::max(got.x, area.left);
                long long h = std::min(got.y + height, area.bottom) - std::max(got.y, area.top);
                if (w > 0 && h > 0)
                    best = std::max(best, w * h);
            }
            ASSERT_GE(3 * best, static_cast<long long>(width) * height)
                << "(" << x << ", " << y << ") went to (" << got.x << ", " << got.y << ")";
        }
    }
}
