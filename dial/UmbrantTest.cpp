// Tests of the sundial gadget without a host window.
#include "dial/Umbrant.h"

#include "dial/DialSize.h"
#include "dial/NightText.h"
#include "sun/Ephemeris.h"
#include "sun/Solar.h"
#include "gadget/GadgetApplication.h"
#include "raster/BitmapSurface.h"
#include "text/Languages.h"
#include "settings/Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace {

// A settings key of the tests' own, under the user's key as the program's.
const wchar_t TEST_PARENT[] = L"Software";
const wchar_t TEST_PATH[] = L"UmbrantDialTest";
const wchar_t TEST_KEY[] = L"Software\\UmbrantDialTest";
// The day of the year (1 = 1 January) of the stored simulated day 172, 22 June.
const int SHOWN_DAY = 173;

void StoreSetting(const wchar_t* name, const wchar_t* text)
{
    RegWriteString(HKEY_CURRENT_USER, TEST_PARENT, TEST_PATH, name, text);
}

std::wstring StoredSetting(const wchar_t* name)
{
    wchar_t text[64] = L"";
    return RegReadString(HKEY_CURRENT_USER, TEST_KEY, name, text, 64) ? text : L"(none)";
}

// The settings of a run after the first: English, the big dial at 45 N, simulated.
class UmbrantTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegDeletePath(HKEY_CURRENT_USER, TEST_PARENT, TEST_PATH);
        StoreSetting(L"Language", L"0");
        StoreSetting(L"IsBigClock", L"1");
        StoreSetting(L"GeoLatitude", L"45");
        StoreSetting(L"IsSimulateDateTime", L"1");
        StoreSetting(L"SimulatedDayOfYear", L"172");
        StoreSetting(L"SimulatedTimeOfDay", L"43200");
        StoreSetting(L"IsExactSun", L"0");
        m_settings.Load(LANGUAGE_ENGLISH, ReadSystemClock().biasMinutes);
    }
    void TearDown() override { RegDeletePath(HKEY_CURRENT_USER, TEST_PARENT, TEST_PATH); }
    // The settings in force with one change made as the Settings dialog makes it.
    DialSettings Changed(bool DialSettings::*flag, bool value) const
    {
        DialSettings settings = m_settings.Dial();
        settings.*flag = value;
        return settings;
    }

    CProgramSettings m_settings {TEST_PARENT, TEST_PATH};
};

TEST_F(UmbrantTest, SavesTheSettingsInForceAtTheEndIfItWasShown)
{
    DialSettings changed = {false, 12, false, 7, 600, 151, true, false, true, false, L""};
    {
        CUmbrant dial(&m_settings, NATURAL_SCALE);
        dial.OnSettingsChanged(changed);
    }
    EXPECT_EQ(StoredSetting(L"GeoLatitude"), L"45") << "a dial never shown keeps what it read";
    {
        CUmbrant dial(&m_settings, NATURAL_SCALE);
        dial.OnCreate(nullptr, nullptr);
        dial.OnSettingsChanged(changed);
        EXPECT_EQ(StoredSetting(L"GeoLatitude"), L"45") << "not before the end";
    }
    const wchar_t* const written[][2] = {
        {L"IsBigClock", L"0"},         {L"GeoLatitude", L"12"},         {L"IsSimulateDateTime", L"0"},
        {L"SimulatedDayOfYear", L"7"}, {L"SimulatedTimeOfDay", L"600"}, {L"GeoLongitude", L"151"},
        {L"IsExactSun", L"1"},         {L"IsDateLines", L"0"},          {L"HourLines", L"1"}};
    for (const auto& value : written)
        EXPECT_EQ(StoredSetting(value[0]), value[1]) << value[0];
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
        CUmbrant dial(&m_settings, row.scale);
        int width = 0, height = 0;
        dial.GetContentSize(&width, &height);
        EXPECT_TRUE(width == row.big && height == row.big) << row.scale << " %: big " << width << " x " << height;
        dial.OnSettingsChanged(Changed(&DialSettings::isBig, false));
        dial.GetContentSize(nullptr, &height);
        dial.GetContentSize(&width, nullptr);
        EXPECT_TRUE(width == row.small && height == row.small) << row.scale << " %: small " << width << " x " << height;
        EXPECT_EQ(row.pictureScale, DialSizeFor(DialModel::Small, row.scale).pictureScale) << row.scale << " %";
    }
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
        CUmbrant dial(&m_settings, NATURAL_SCALE);
        dial.OnSettingsChanged(Changed(&DialSettings::simulate, row.simulate));
        EXPECT_EQ(row.year, dial.Sun(row.clock).year) << row.what;
    }
}

TEST_F(UmbrantTest, OnlyScrollBarsAskForAFrame)
{
    CUmbrant dial(&m_settings, NATURAL_SCALE);
    EXPECT_TRUE(dial.OnMessage(nullptr, WM_HSCROLL, 0, 0));
    EXPECT_TRUE(dial.OnMessage(nullptr, WM_VSCROLL, 0, 0));
    EXPECT_FALSE(dial.OnMessage(nullptr, WM_LBUTTONDOWN, 0, 0));
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
    bool Paint(CUmbrant& dial) { return dial.Paint(m_surface->GetDC(), m_surface->View()); }
    const unsigned char* Pixel(int x, int y) const
    {
        return m_surface->GetPixels() + y * m_surface->GetStride() + x * 4;
    }

    HDC m_screen;
    std::unique_ptr<CBitmapSurface> m_surface;
};

TEST_F(UmbrantPaintTest, PaintsNothingBeforeItIsCreated)
{
    CUmbrant dial(&m_settings, NATURAL_SCALE);
    dial.SetContentRect(5, 5, 455, 455);
    EXPECT_FALSE(Paint(dial));
    for (int y = 0; y < 460; y += 7)
        for (int x = 0; x < 460; x += 7)
            ASSERT_EQ(Pixel(x, y)[0], 0);
}

TEST_F(UmbrantPaintTest, PaintsTheDialIntoItsRectangle)
{
    CUmbrant dial(&m_settings, NATURAL_SCALE);
    dial.OnCreate(nullptr, nullptr);
    // Without a rectangle yet there is nothing to paint into.
    EXPECT_TRUE(Paint(dial));
    EXPECT_EQ(Pixel(0, 0)[0], 0);

    dial.SetContentRect(5, 5, 455, 455);
    EXPECT_TRUE(Paint(dial));
    EXPECT_EQ(Pixel(0, 0)[0], 0);      // outside the rectangle
    EXPECT_GT(Pixel(10, 10)[0], 200);  // the lit face
    // Below the gnomon's end the shadow's tip lies where the model puts it.
    Shadow shadow = ComputeShadow(45, GNOMON_LENGTH_BIG, SimulatedMoment(SHOWN_DAY, 43200));
    EXPECT_LT(Pixel(230 + static_cast<int>(shadow.u), 230 - static_cast<int>(shadow.v) - 5)[0], 40);
    EXPECT_GT(Pixel(230 + static_cast<int>(shadow.u), 230 - static_cast<int>(shadow.v) + 20)[0], 200);
}

TEST_F(UmbrantPaintTest, WithoutPixelsOnlyGdiPaints)
{
    CUmbrant dial(&m_settings, NATURAL_SCALE);
    dial.OnCreate(nullptr, nullptr);
    dial.SetContentRect(5, 5, 455, 455);
    Shadow shadow = ComputeShadow(45, GNOMON_LENGTH_BIG, SimulatedMoment(SHOWN_DAY, 43200));
    const int x = 230 + static_cast<int>(shadow.u), y = 230 - static_cast<int>(shadow.v) - 5;

    // GDI alone: the white face and the gnomon, but no band and no markings.
    EXPECT_TRUE(dial.Paint(m_surface->GetDC(), {nullptr, m_surface->GetStride(), 460, 460, {0, 0, 460, 460}}));
    GdiFlush();
    EXPECT_EQ(Pixel(x, y)[0], 255);
    EXPECT_EQ(Pixel(230, 230 + 175)[0], 255);                // where the noon line would be
    EXPECT_GT(Pixel(230, 260)[2] - Pixel(230, 260)[0], 30);  // the brown rod
}

// The frames ask for the next one only when the picture changes: never for
// a simulated moment, at once for a changed setting, within the minute for
// the real clock.
TEST_F(UmbrantPaintTest, AsksForFramesOnlyWhenThePictureChanges)
{
    CUmbrant dial(&m_settings, NATURAL_SCALE);
    dial.OnCreate(nullptr, nullptr);
    dial.SetContentRect(5, 5, 455, 455);
    ASSERT_TRUE(Paint(dial));
    EXPECT_FALSE(dial.OnTimer());
    EXPECT_EQ(dial.NextFrameDelay(), INFINITE);
    dial.OnSettingsChanged(m_settings.Dial());
    EXPECT_TRUE(dial.OnTimer());
    EXPECT_FALSE(dial.OnTimer()) << "one frame for one change";

    dial.OnSettingsChanged(Changed(&DialSettings::simulate, false));
    ASSERT_TRUE(Paint(dial));
    EXPECT_FALSE(dial.OnTimer());
    const DWORD delay = dial.NextFrameDelay();
    EXPECT_TRUE(delay >= 1 && delay <= 60100) << delay;
}

// The night text is chosen before a frame, held while the night lasts and
// dropped at daylight; the text of the English evening list's one entry.
TEST(NightText, IsHeldThroughTheNightAndDroppedAtDaylight)
{
    const int evening = 23 * 3600;
    CNightText text(0);
    text.Update(false, evening, LANGUAGE_ENGLISH, 5000);
    EXPECT_STREQ(text.Text(), L"Evening time.");
    EXPECT_EQ(text.ChosenAt(), 5000u);
    text.Update(false, evening, LANGUAGE_ENGLISH, 5000 + NIGHT_TEXT_HOLD_MS);
    EXPECT_EQ(text.ChosenAt(), 5000u) << "held";
    text.Update(false, evening, LANGUAGE_ENGLISH, 5001 + NIGHT_TEXT_HOLD_MS);
    EXPECT_EQ(text.ChosenAt(), 5001u + NIGHT_TEXT_HOLD_MS) << "chosen again after the hold time";
    text.Update(true, 12 * 3600, LANGUAGE_ENGLISH, 30000);
    EXPECT_EQ(text.ChosenAt(), 0u);
}

// The gadget in its window, left alone: quiet, and yet it shows the new
// moment as soon as the clock is set.
TEST_F(UmbrantPaintTest, IdleGadgetShowsTheMomentAfterATimeChange)
{
    DialSettings morning = m_settings.Dial();
    morning.simulatedTime = 9 * 3600;
    m_settings.SetDial(morning);
    CUmbrant dial(&m_settings, NATURAL_SCALE);
    CGadgetApplication host(
        &dial, nullptr,
        {L"UmbrantIdleTest", L"Umbrant", RGB(255, 255, 255), 6, 4, 0.75f, 0.15f, 1000, POSITION_UNSET, POSITION_UNSET});
    ASSERT_TRUE(host.Create(GetModuleHandleA(nullptr)));
    MSG message;
    for (DWORD start = GetTickCount(); host.Frames().Animating() && GetTickCount() - start < 10000;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(5);
    }
    EXPECT_FALSE(host.Frames().Animating()) << "the fade-in ends";
    EXPECT_EQ(dial.NextFrameDelay(), INFINITE) << "a simulated moment needs no timer";

    DialSettings afternoon = morning;
    afternoon.simulatedTime = 15 * 3600;
    dial.OnSettingsChanged(afternoon);
    SendMessageA(host.GetWindow(), WM_TIMECHANGE, 0, 0);
    const int centre = 6 + 225;
    const CBitmapSurface* shown = &host.Compositor().Picture();
    auto blue = [shown](double x, double y) {
        return shown->GetPixels()[static_cast<int>(y) * shown->GetStride() + static_cast<int>(x) * 4];
    };
    Shadow before = ComputeShadow(45, GNOMON_LENGTH_BIG, SimulatedMoment(SHOWN_DAY, 32400));
    Shadow after = ComputeShadow(45, GNOMON_LENGTH_BIG, SimulatedMoment(SHOWN_DAY, 15 * 3600));
    int inShadow = blue(centre + 0.7 * after.u, centre - 0.7 * after.v);
    EXPECT_LT(inShadow, 100);
    int lightest = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            lightest = std::max<int>(lightest, blue(centre + 0.7 * before.u + dx, centre - 0.7 * before.v + dy));
    EXPECT_GT(lightest, 150) << "the morning's shadow is gone";

    // With the real clock it waits for one timer, not for the animation's.
    afternoon.simulate = false;
    dial.OnSettingsChanged(afternoon);
    SendMessageA(host.GetWindow(), WM_TIMECHANGE, 0, 0);
    EXPECT_NE(dial.NextFrameDelay(), INFINITE);
    EXPECT_FALSE(host.Frames().Animating());
}

}  // namespace
