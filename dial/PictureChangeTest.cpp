// Tests of when the dial's picture changes.
#include "dial/PictureChange.h"

#include "dial/DialGeometry.h"
#include "dial/DialPixels.h"
#include "dial/Moonlight.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Sides of the big and the small dial.
const int BIG = DialSizeFor(DialModel::Big, NATURAL_SCALE).side,
          SMALL = DialSizeFor(DialModel::Small, NATURAL_SCALE).side;

int DialSide(DialModel model)
{
    return model == DialModel::Big ? BIG : SMALL;
}

// The model's sun, and the ephemeris' for a place 19 degrees west of its
// zone's meridian, whose sun rises more than an hour after the model's.
const SunSource MODEL = {false, 0, 0, 0};
const SunSource EXACT_WEST = {true, -3.7, 2026, 60};

DialFace Face(const SunSource& sun, double latitude, DialModel model)
{
    return {.model = model,
            .scalePercent = NATURAL_SCALE,
            .latitude = static_cast<float>(latitude),
            .sun = sun,
            .dateLines = false,
            .clockHours = false,
            .clockShiftHours = 0,
            .language = 0,
            .moonFace = false};
}

Shadow At(const SunSource& sun, double latitude, DialModel model, int t)
{
    return ComputeDialShadow(sun, latitude, DialSizeFor(model, NATURAL_SCALE).gnomonLength, t);
}

// Farthest that a sample of the hard band's outline inside the dial moves
// from shadow a to shadow b: points along both long sides, and round the
// tip's cap. Worked out from the band's shape, apart from the code under test.
double OutlineMove(const Shadow& a, const Shadow& b, DialModel model)
{
    const double r = DialSizeFor(model, NATURAL_SCALE).shadowHalfWidth, half = DialSide(model) / 2.0;
    const double la = std::hypot(a.u, a.v), lb = std::hypot(b.u, b.v);
    const double ax = a.u / la, ay = a.v / la, bx = b.u / lb, by = b.v / lb;
    double worst = 0;
    auto sample = [&](double pax, double pay, double pbx, double pby) {
        bool seen =
            (std::fabs(pax) <= half && std::fabs(pay) <= half) || (std::fabs(pbx) <= half && std::fabs(pby) <= half);
        if (seen)
            worst = std::fmax(worst, std::hypot(pbx - pax, pby - pay));
    };
    // A side is a straight edge: its points at one distance from the foot.
    for (double along = 0; along <= std::fmin(std::fmin(la, lb), 2 * half); along += 0.5)
        for (int side = -1; side <= 1; side += 2)
            sample(along * ax - side * r * ay, along * ay + side * r * ax, along * bx - side * r * by,
                   along * by + side * r * bx);
    for (double phi = -1.6; phi <= 1.6; phi += 0.05)
        sample(a.u + r * (cos(phi) * ax - sin(phi) * ay), a.v + r * (cos(phi) * ay + sin(phi) * ax),
               b.u + r * (cos(phi) * bx - sin(phi) * by), b.v + r * (cos(phi) * by + sin(phi) * bx));
    return worst;
}

// First second of daylight after moment t, scanning a day ahead; -1 if none.
int Sunrise(const SunSource& sun, double latitude, int t)
{
    for (int s = t; s < t + 86400; ++s)
        if (At(sun, latitude, DialModel::Small, s).isDay)
            return s;
    return -1;
}

// How far one blur pass drags the half level of a hard edge that lies
// `distance` pixels from the gnomon foot, measured on the blur itself.
double BlurDrag(int distance)
{
    InitDialTables();
    unsigned char line[64];
    for (int i = 0; i < 64; ++i)
        line[i] = i < 32 ? 255 : 0;
    BlurPass(line, 1, 64, distance - 32, 0, 1, 0);
    int i = 32;
    while (i < 63 && line[i] >= 128)
        ++i;
    // The half level now, against where it lay: between bytes 31 and 32.
    return i - 1 + (line[i - 1] - 127.5) / (line[i - 1] - line[i]) - 31.5;
}

TEST(PictureChange, EveryMomentUntilTheNextFrameLooksTheSame)
{
    const struct
    {
        const char* what;
        double latitude;
        int day, seconds;
        DialModel model;
        int least, most;  // the wait expected, seconds
    } cases[] = {
        // At most two frames a minute at a summer noon, on either dial.
        {"summer noon 46 N, big", 46, 172, 12 * 3600, DialModel::Big, 30, 60},
        {"summer noon 46 N, small", 46, 172, 12 * 3600, DialModel::Small, 30, 60},
        {"summer noon 46 S", -46, 355, 12 * 3600, DialModel::Big, 30, 60},
        // Low sun: the shadow reaches past the dial and swings fast.
        {"early summer morning", 46, 172, 5 * 3600, DialModel::Big, 1, 20},
        {"winter afternoon", 46, 355, 15 * 3600 + 1800, DialModel::Big, 1, 30},
        {"equator at noon", 0, 80, 12 * 3600, DialModel::Big, 1, 60},
        // The polar day: the sun circles, the shadow turns all day long.
        {"north pole in summer", 90, 172, 3 * 3600, DialModel::Big, 1, 60},
        {"near the pole at midnight", 85, 172, 0, DialModel::Big, 1, 60},
        // Night, polar night: nothing moves.
        {"midnight", 46, 172, 0, DialModel::Big, 60, 60},
        {"polar night", -89, 172, 12 * 3600, DialModel::Small, 60, 60},
    };
    for (const auto& c : cases) {
        int t = SimulatedMoment(c.day, c.seconds);
        int wait = SecondsOfSamePicture(Face(MODEL, c.latitude, c.model), DialSizeFor(c.model, NATURAL_SCALE),
                                        DialSide(c.model), DialSide(c.model), t);
        EXPECT_GE(wait, c.least) << c.what;
        EXPECT_LE(wait, c.most) << c.what;
        Shadow shown = At(MODEL, c.latitude, c.model, t);
        for (int k = 1; k <= wait; ++k) {
            Shadow later = At(MODEL, c.latitude, c.model, t + k);
            ASSERT_EQ(later.isDay, shown.isDay) << c.what << ", " << k << " s later";
            if (!shown.isDay)
                continue;
            ASSERT_EQ(BrightnessLevel(later.brightness), BrightnessLevel(shown.brightness))
                << c.what << ", " << k << " s later";
            double moved = OutlineMove(shown, later, c.model);
            ASSERT_LE(moved, SHADOW_TOLERANCE_PX) << c.what << ", " << k << " s later";
        }
    }
}

TEST(PictureChange, FrameJustBeforeSunriseAndDimmingSteps)
{
    for (const SunSource& sun : {MODEL, EXACT_WEST})
        for (double latitude : {46.0, -30.0, 66.0}) {
            int rise = Sunrise(sun, latitude, SimulatedMoment(80, 3 * 3600));
            ASSERT_GT(rise, 0) << latitude;
            // The last night moment is shown, the first day moment comes next.
            for (int before : {1, 2, 30}) {
                int t = rise - before;
                int wait = SecondsOfSamePicture(Face(sun, latitude, DialModel::Big),
                                                DialSizeFor(DialModel::Big, NATURAL_SCALE), BIG, BIG, t);
                EXPECT_EQ(wait, before > 1 ? before - 1 : 1) << (sun.exact ? "exact, " : "model, ") << latitude << ", "
                                                             << before << " s before sunrise: " << wait;
            }
            // Soon after sunrise the dimming steps every few seconds: the frame
            // comes before the level changes (or with it, when that is the
            // next second).
            int t = rise + 120;
            int wait = SecondsOfSamePicture(Face(sun, latitude, DialModel::Small),
                                            DialSizeFor(DialModel::Small, NATURAL_SCALE), SMALL, SMALL, t);
            int level = BrightnessLevel(At(sun, latitude, DialModel::Small, t).brightness);
            if (wait > 1) {
                EXPECT_EQ(BrightnessLevel(At(sun, latitude, DialModel::Small, t + wait).brightness), level)
                    << (sun.exact ? "exact, " : "model, ") << latitude << ", wait " << wait;
            }
            EXPECT_LT(wait, MAX_FRAME_INTERVAL_S) << latitude << ": " << wait;
        }
}

// By night on the moonlit face the frames follow the moon: its shadow stays
// within the tolerance until the next frame, which comes when the moon rises
// or sets, and its picture at the rim lags by less than a pixel; the night
// face waits as long as it may.
TEST(PictureChange, MoonlitNightFramesFollowTheMoon)
{
    const SunSource ljubljana = {true, 14.51, 2026, 60};
    const DialSize size = DialSizeFor(DialModel::Big, NATURAL_SCALE);
    const PixelRect dial = {0, 0, BIG, BIG};
    const struct
    {
        const char* what;
        int day, seconds;
        int least, most;  // the wait expected, seconds
    } cases[] = {
        {"a full moon high in the south-east", 3, 22 * 3600, 5, 60},
        {"a full moon low in the west before dawn", 4, 6 * 3600 + 1800, 1, 60},
    };
    for (const auto& c : cases) {
        DialFace face = Face(ljubljana, 46.05, DialModel::Big);
        face.moonFace = true;
        const int t = SimulatedMoment(c.day, c.seconds);
        const int wait = SecondsOfSamePicture(face, size, BIG, BIG, t);
        EXPECT_GE(wait, c.least) << c.what;
        EXPECT_LE(wait, c.most) << c.what;
        const FaceLight shown = ComputeFaceLight(face, size, dial, t);
        for (int k = 1; k <= wait; ++k) {
            const FaceLight later = ComputeFaceLight(face, size, dial, t + k);
            ASSERT_EQ(later.lighting, shown.lighting) << c.what << ", " << k << " s later";
            if (shown.lighting != Lighting::MOON)
                continue;
            ASSERT_EQ(later.depth, shown.depth) << c.what << ", " << k << " s later";
            ASSERT_LE(OutlineMove(shown.shadow, later.shadow, DialModel::Big), SHADOW_TOLERANCE_PX)
                << c.what << ", " << k;
            ASSERT_LT(std::hypot(later.disc.x - shown.disc.x, later.disc.y - shown.disc.y), 1) << c.what << ", " << k;
        }
        face.moonFace = false;
        EXPECT_EQ(SecondsOfSamePicture(face, size, BIG, BIG, t), MAX_FRAME_INTERVAL_S) << c.what << ", night face";
    }
    // The moon rises at 19:04 on 5 January: the last dark moment is shown,
    // the first moonlit one comes next.
    DialFace face = Face(ljubljana, 46.05, DialModel::Big);
    face.moonFace = true;
    int rise = SimulatedMoment(5, 19 * 3600);
    while (ComputeFaceLight(face, size, dial, rise).lighting != Lighting::MOON && rise < SimulatedMoment(5, 20 * 3600))
        ++rise;
    for (int before : {1, 2, 30})
        EXPECT_EQ(SecondsOfSamePicture(face, size, BIG, BIG, rise - before), before > 1 ? before - 1 : 1)
            << before << " s before moonrise";
}

TEST(PictureChange, FastestPointOfTheShadow)
{
    const double turn = 0.001;  // radians
    const struct
    {
        const char* what;
        double length;
        double farthest;  // the hard outline's point farthest from the foot, pixels
        double most;      // pixels moved by the turn
    } cases[] = {
        // The far edge of the tip's cap moves farther than the tip, and the
        // blur drags the soft edge farther out still.
        {"short shadow", 50, 50 + 9.2, 0.2},
        {"gnomon-long shadow", 125, 125 + 9.2, 0.3},
        {"tip near the dial's edge", 215, 215 + 9.2, 0.3},
        // Beyond the dial only the part inside it counts.
        {"shadow past the dial", 3000, 318, 0.6},
    };
    for (const auto& c : cases) {
        Shadow a = {true, 0, -c.length, 1, 0.5};
        Shadow b = {true, c.length * sin(turn), -c.length * cos(turn), 1, 0.5};
        double moved =
            ShadowDisplacement(a, b, DialSizeFor(DialModel::Big, NATURAL_SCALE), BIG, BIG, ShadowSoftness::SUN);
        double least = (c.farthest + BlurDrag(static_cast<int>(c.farthest))) * turn;
        EXPECT_GE(moved, least) << c.what << ": " << moved;
        EXPECT_LE(moved, c.most) << c.what << ": " << moved;
    }
}

}  // namespace
