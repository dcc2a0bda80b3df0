// Tests of the sundial gadget without a host window.
#include "dial/Umbrant.h"

#include "dial/DialSize.h"
#include "dial/Ephemeris.h"
#include "dial/Solar.h"
#include "gadget/GadgetApplication.h"
#include "raster/BitmapSurface.h"
#include "settings/Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace {

const HKEY ROOT = HKEY_LOCAL_MACHINE;
// The program's own settings key, which these tests set up as a run would.
const char SETTINGS_KEY[] = "SOFTWARE\\Tavrelon\\Umbrant";

void StoreSetting(const char* name, const char* text)
{
    RegWriteString(ROOT, SETTINGS_KEY, nullptr, name, text);
}

std::string StoredSetting(const char* name)
{
    char text[64] = "";
    return RegReadString(ROOT, SETTINGS_KEY, name, text, sizeof text) ? text : "(none)";
}

// The settings of a run after the first: English, the big dial at 45 N, simulated.
class UmbrantTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegWriteString(ROOT, "SOFTWARE", "Tavrelon", nullptr, nullptr);
        RegWriteString(ROOT, "SOFTWARE\\Tavrelon", "Umbrant", nullptr, nullptr);
        StoreSetting("Language", "0");
        StoreSetting("IsBigClock", "1");
        StoreSetting("GeoLatitude", "45");
        StoreSetting("IsSimulateDateTime", "1");
        StoreSetting("SimulatedDayOfYear", "172");
        StoreSetting("SimulatedTimeOfDay", "43200");
        StoreSetting("IsExactSun", "0");
        RegDeletePath(ROOT, SETTINGS_KEY, "GeoLongitude");
    }
};

TEST_F(UmbrantTest, ReadsItsSettingsAndWritesThemAtTheEnd)
{
    StoreSetting("GeoLatitude", "-33");
    StoreSetting("SimulatedDayOfYear", "100");
    StoreSetting("GeoLongitude", "-3.5");
    StoreSetting("IsExactSun", "1");
    {
        CUmbrant dial(SETTINGS_KEY, NATURAL_SCALE);
        EXPECT_TRUE(dial.m_isBig);
        EXPECT_FALSE(dial.m_firstStart);
        EXPECT_EQ(dial.m_latitude, -33.0f);
        EXPECT_TRUE(dial.m_simulate);
        EXPECT_EQ(dial.m_simulatedDay, 100);
        EXPECT_EQ(dial.m_simulatedTime, 43200);
        EXPECT_EQ(dial.m_longitude, -3.5f);
        EXPECT_TRUE(dial.m_exactSun);
        dial.m_isBig = false;
        dial.m_latitude = 12;
        dial.m_simulate = false;
        dial.m_simulatedDay = 7;
        dial.m_simulatedTime = 600;
        dial.m_longitude = 151;
        dial.m_exactSun = false;
        dial.m_created = true;                           // only a dial that was shown saves
        EXPECT_EQ(StoredSetting("GeoLatitude"), "-33");  // not before the end
    }
    EXPECT_EQ(StoredSetting("IsBigClock"), "0");
    EXPECT_EQ(StoredSetting("GeoLatitude"), "12");
    EXPECT_EQ(StoredSetting("IsSimulateDateTime"), "0");
    EXPECT_EQ(StoredSetting("SimulatedDayOfYear"), "7");
    EXPECT_EQ(StoredSetting("SimulatedTimeOfDay"), "600");
    EXPECT_EQ(StoredSetting("GeoLongitude"), "151");
    EXPECT_EQ(StoredSetting("IsExactSun"), "0");
}

// Each stored value goes through its own range rule and is written back as
// its own kind.
TEST_F(UmbrantTest, WritesBackEveryStoredValueInRange)
{
    static const struct
    {
        const char* name;
        const char* stored;
        const char* written;
    } cases[] = {
        {"Language", "8192", "0"},
        {"IsBigClock", "-3", "0"},
        {"GeoLatitude", "99999999999", "90"},
        {"GeoLatitude", "-12.5", "-12.5"},
        {"SimulatedDayOfYear", "400", "365"},
        {"SimulatedTimeOfDay", "-5", "0"},
        {"GeoLongitude", "-99999999999", "-180"},
        {"GeoLongitude", "-3.5", "-3.5"},
        {"IsExactSun", "7", "1"},
    };
    for (const auto& c : cases) {
        StoreSetting(c.name, c.stored);
        {
            CUmbrant dial(SETTINGS_KEY, NATURAL_SCALE);
            dial.m_created = true;
        }
        EXPECT_EQ(StoredSetting(c.name), c.written) << c.name << " stored as " << c.stored;
    }
}

TEST_F(UmbrantTest, FirstStartIsSmallAtFortyFiveDegrees)
{
    RegDeletePath(ROOT, SETTINGS_KEY, "IsBigClock");
    RegDeletePath(ROOT, SETTINGS_KEY, "GeoLatitude");
    CUmbrant dial(SETTINGS_KEY, NATURAL_SCALE);
    EXPECT_TRUE(dial.m_firstStart);
    EXPECT_FALSE(dial.m_isBig);
    EXPECT_EQ(dial.m_latitude, 45.0f);
    // Without a longitude the exact sun starts on the zone's meridian.
    EXPECT_EQ(dial.m_longitude, -ReadSystemClock().biasMinutes / 4.0f);
    EXPECT_FALSE(dial.m_exactSun);
    dial.m_firstStart = false;

    StoreSetting("IsBigClock", "0");
    CUmbrant second(SETTINGS_KEY, NATURAL_SCALE);
    EXPECT_FALSE(second.m_firstStart);
    EXPECT_FALSE(second.m_isBig);
}

// The content size follows the size setting at every scale, those between
// the pictures' (125, 175, 250 %) rounded to the nearest pixel, drawn from
// the next larger pictures (the largest above 200 %).
TEST_F(UmbrantTest, ContentSizeFollowsTheSizeSettingAtEveryScale)
{
    const struct
    {
        int scale, big, small, pictureScale;
    } rows[] = {{100, 450, 250, 100}, {125, 563, 313, 150}, {150, 675, 375, 150},
                {175, 788, 438, 200}, {200, 900, 500, 200}, {250, 1125, 625, 200}};
    for (const auto& row : rows) {
        CUmbrant dial(SETTINGS_KEY, row.scale);
        int width = 0, height = 0;
        dial.m_isBig = true;
        dial.GetContentSize(&width, &height);
        EXPECT_TRUE(width == row.big && height == row.big) << row.scale << " %: big " << width << " x " << height;
        dial.m_isBig = false;
        dial.GetContentSize(nullptr, &height);
        dial.GetContentSize(&width, nullptr);
        EXPECT_TRUE(width == row.small && height == row.small) << row.scale << " %: small " << width << " x " << height;
        EXPECT_EQ(row.pictureScale, DialSizeFor(false, row.scale).pictureScale) << row.scale << " %";
    }
}

TEST_F(UmbrantTest, AsksForFramesOnlyWhenThePictureChanges)
{
    CUmbrant dial(SETTINGS_KEY, NATURAL_SCALE);
    dial.m_painted = true;
    // A simulated moment stands still: no frame, however long it waits.
    EXPECT_FALSE(dial.OnTimer());
    EXPECT_EQ(dial.NextFrameDelay(), INFINITE);
    dial.m_settingsChanged = true;
    EXPECT_TRUE(dial.OnTimer());
    EXPECT_FALSE(dial.m_settingsChanged);

    // The real clock: due at the moment after the shown frame's change.
    dial.m_simulate = false;
    int now = MomentFromClock(ReadSystemClock());
    dial.m_shownMoment = now;
    dial.m_frameDueMoment = now + 30;
    EXPECT_FALSE(dial.OnTimer());
    DWORD delay = dial.NextFrameDelay();
    EXPECT_GT(delay, 28000u);
    EXPECT_LE(delay, 30200u);
    dial.m_frameDueMoment = now;
    EXPECT_TRUE(dial.OnTimer());
    // A clock set back is shown at once.
    dial.m_shownMoment = now + 3600;
    dial.m_frameDueMoment = now + 3630;
    EXPECT_TRUE(dial.OnTimer());
}

// A simulated day is one of the current year of local standard time, which
// may already have turned over, or not yet, where the clock's UTC year has not.
TEST_F(UmbrantTest, SimulatedDayTakesTheLocalYearAcrossItsEnd)
{
    const struct
    {
        const char* what;
        bool simulate;
        ClockReading clock;
        int year;
    } rows[] = {
        {"UTC+1 already in the new year", true, {2026, 12, 31, 23, 30, 0, 0, -60}, 2027},
        {"UTC-5 still in the old year", true, {2027, 1, 1, 0, 30, 0, 0, 300}, 2026},
        {"midsummer", true, {2026, 6, 21, 12, 0, 0, 0, -60}, 2026},
        {"the real clock keeps the UTC year", false, {2026, 12, 31, 23, 30, 0, 0, -60}, 2026},
    };
    for (const auto& row : rows) {
        CUmbrant dial(SETTINGS_KEY, NATURAL_SCALE);
        dial.m_simulate = row.simulate;
        EXPECT_EQ(row.year, dial.Sun(row.clock).year) << row.what;
    }
}

TEST_F(UmbrantTest, OnlyScrollBarsAskForAFrame)
{
    CUmbrant dial(SETTINGS_KEY, NATURAL_SCALE);
    EXPECT_TRUE(dial.OnMessage(nullptr, WM_HSCROLL, 0, 0, nullptr));
    EXPECT_TRUE(dial.OnMessage(nullptr, WM_VSCROLL, 0, 0, nullptr));
    EXPECT_FALSE(dial.OnMessage(nullptr, WM_LBUTTONDOWN, 0, 0, nullptr));
}

class UmbrantPaintTest : public UmbrantTest
{
protected:
    void SetUp() override
    {
        UmbrantTest::SetUp();
        m_screen = GetDC(nullptr);
        m_surface.reset(new CBitmapSurface(m_screen, 460, 460, nullptr));
    }
    void TearDown() override
    {
        m_surface.reset();
        ReleaseDC(nullptr, m_screen);
    }
    bool Paint(CUmbrant& dial)
    {
        return dial.Paint(m_surface->GetDC(), m_surface->GetPixels(), m_surface->GetStride());
    }
    const unsigned char* Pixel(int x, int y) const
    {
        return m_surface->GetPixels() + y * m_surface->GetStride() + x * 4;
    }

    HDC m_screen;
    std::unique_ptr<CBitmapSurface> m_surface;
};

TEST_F(UmbrantPaintTest, PaintsNothingBeforeItIsCreated)
{
    CUmbrant dial(SETTINGS_KEY, NATURAL_SCALE);
    dial.SetContentRect(5, 5, 455, 455);
    EXPECT_FALSE(Paint(dial));
    for (int y = 0; y < 460; y += 7)
        for (int x = 0; x < 460; x += 7)
            ASSERT_EQ(Pixel(x, y)[0], 0);
}

TEST_F(UmbrantPaintTest, PaintsTheDialIntoItsRectangle)
{
    CUmbrant dial(SETTINGS_KEY, NATURAL_SCALE);
    dial.OnCreate(nullptr, nullptr);
    // Without a rectangle yet there is nothing to paint into.
    EXPECT_TRUE(Paint(dial));
    EXPECT_EQ(Pixel(0, 0)[0], 0);

    dial.SetContentRect(5, 5, 455, 455);
    ASSERT_NE(dial.m_shadowMask.get(), nullptr);
    EXPECT_TRUE(Paint(dial));
    EXPECT_EQ(Pixel(0, 0)[0], 0);      // outside the rectangle
    EXPECT_GT(Pixel(10, 10)[0], 200);  // the lit face
    // Below the gnomon's end the shadow's tip lies where the model puts it.
    Shadow shadow = ComputeShadow(45, GNOMON_LENGTH_BIG, SimulatedMoment(172, 43200));
    EXPECT_LT(Pixel(230 + static_cast<int>(shadow.u), 230 - static_cast<int>(shadow.v) - 5)[0], 40);
    EXPECT_GT(Pixel(230 + static_cast<int>(shadow.u), 230 - static_cast<int>(shadow.v) + 20)[0], 200);
}

TEST_F(UmbrantPaintTest, WithoutPixelsOrMaskOnlyTheSoftShadowIsMissing)
{
    CUmbrant dial(SETTINGS_KEY, NATURAL_SCALE);
    dial.OnCreate(nullptr, nullptr);
    dial.SetContentRect(5, 5, 455, 455);
    Shadow shadow = ComputeShadow(45, GNOMON_LENGTH_BIG, SimulatedMoment(172, 43200));
    const int x = 230 + static_cast<int>(shadow.u), y = 230 - static_cast<int>(shadow.v) - 5;

    // GDI alone: the white face and the gnomon, but no band and no markings.
    EXPECT_TRUE(dial.Paint(m_surface->GetDC(), nullptr, m_surface->GetStride()));
    GdiFlush();
    EXPECT_EQ(Pixel(x, y)[0], 255);
    EXPECT_EQ(Pixel(230, 230 + 175)[0], 255);                // where the noon line would be
    EXPECT_GT(Pixel(230, 260)[2] - Pixel(230, 260)[0], 30);  // the brown rod

    // No mask: markings and daylight, but no shadow.
    dial.m_shadowMask.reset();
    EXPECT_TRUE(Paint(dial));
    EXPECT_GT(Pixel(x, y)[0], 200);
}

TEST_F(UmbrantPaintTest, NightTextIsKeptUntilDaylight)
{
    CUmbrant dial(SETTINGS_KEY, NATURAL_SCALE);
    dial.m_simulatedTime = 23 * 3600;
    dial.OnCreate(nullptr, nullptr);
    dial.SetContentRect(5, 5, 455, 455);
    EXPECT_TRUE(Paint(dial));
    EXPECT_STREQ(dial.m_nightText, "Evening time.");
    DWORD chosen = dial.m_lastNightTextTime;
    EXPECT_NE(chosen, 0u);
    EXPECT_TRUE(Paint(dial));
    EXPECT_EQ(dial.m_lastNightTextTime, chosen);
    EXPECT_EQ(Pixel(10, 10)[0], 0);  // the black night face

    dial.m_simulatedTime = 12 * 3600;
    EXPECT_TRUE(Paint(dial));
    EXPECT_EQ(dial.m_lastNightTextTime, 0u);
}

// The gadget in its window, left alone: quiet, and yet it shows the new
// moment as soon as the clock is set.
TEST_F(UmbrantPaintTest, IdleGadgetShowsTheMomentAfterATimeChange)
{
    StoreSetting("SimulatedTimeOfDay", "32400");
    CUmbrant dial(SETTINGS_KEY, NATURAL_SCALE);
    CGadgetApplication host(&dial, nullptr,
                            {"UmbrantIdleTest", "Umbrant", RGB(255, 255, 255), 6, 4, 0.75f, 0.15f, 1000, POSITION_UNSET,
                             POSITION_UNSET});
    ASSERT_TRUE(host.Create(GetModuleHandleA(nullptr)));
    MSG message;
    for (DWORD start = GetTickCount(); host.Frames().Animating() && GetTickCount() - start < 10000;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(5);
    }
    EXPECT_FALSE(host.Frames().Animating()) << "the fade-in ends";
    EXPECT_FALSE(host.Frames().Waiting()) << "a simulated moment needs no timer";

    dial.m_simulatedTime = 15 * 3600;  // behind its back
    SendMessageA(host.GetWindow(), WM_TIMECHANGE, 0, 0);
    const int centre = 6 + 225;
    const CBitmapSurface* shown = &host.Compositor().Picture();
    auto blue = [shown](double x, double y) {
        return shown->GetPixels()[static_cast<int>(y) * shown->GetStride() + static_cast<int>(x) * 4];
    };
    Shadow before = ComputeShadow(45, GNOMON_LENGTH_BIG, SimulatedMoment(172, 32400));
    Shadow after = ComputeShadow(45, GNOMON_LENGTH_BIG, SimulatedMoment(172, 15 * 3600));
    int inShadow = blue(centre + 0.7 * after.u, centre - 0.7 * after.v);
    EXPECT_LT(inShadow, 100);
    int lightest = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            lightest = std::max<int>(lightest, blue(centre + 0.7 * before.u + dx, centre - 0.7 * before.v + dy));
    EXPECT_GT(lightest, 150) << "the morning's shadow is gone";

    // With the real clock it waits for one timer, not for the animation's.
    dial.m_simulate = false;
    SendMessageA(host.GetWindow(), WM_TIMECHANGE, 0, 0);
    EXPECT_TRUE(host.Frames().Waiting());
    EXPECT_FALSE(host.Frames().Animating());
}

}  // namespace
